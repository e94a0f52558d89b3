# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# The web page: a browser has no fonts to fall back on for the Chinese texts, so
# the program carries the installed CJK font cut down to its own characters.
set(FIELDCALC_CJK_FONT /usr/share/fonts/truetype/wqy/wqy-microhei.ttc CACHE FILEPATH
    "The CJK font the web page's subset is cut from")
find_program(FIELDCALC_PYTHON NAMES python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
set(shown_sources
    ${PROJECT_SOURCE_DIR}/ui/FieldCalcWindow.ui ${PROJECT_SOURCE_DIR}/ui/PlannerDialog.ui
    ${PROJECT_SOURCE_DIR}/ui/FieldCalcWindow.cpp ${PROJECT_SOURCE_DIR}/ui/PlannerDialog.cpp
    ${PROJECT_SOURCE_DIR}/ui/FieldPlot.cpp ${PROJECT_SOURCE_DIR}/ui/FieldTableModel.cpp
    ${PROJECT_SOURCE_DIR}/model/FieldRules.cpp ${PROJECT_SOURCE_DIR}/model/FieldReport.cpp
    ${PROJECT_SOURCE_DIR}/model/FieldPlan.cpp)
set(web_font ${CMAKE_CURRENT_BINARY_DIR}/fieldcalc-cjk.ttf)
add_custom_command(OUTPUT ${web_font}
    COMMAND ${FIELDCALC_PYTHON} ${PROJECT_SOURCE_DIR}/packaging/web/subset-font.py
        ${FIELDCALC_CJK_FONT} ${web_font} ${shown_sources}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/web/subset-font.py ${shown_sources}
    COMMENT "Cutting the CJK font down to the program's characters" VERBATIM)
qt_add_resources(fieldcalc webfont PREFIX /fonts BASE ${CMAKE_CURRENT_BINARY_DIR}
    FILES ${web_font})

# Neither nested event loops nor threads: no asyncify, the smallest code.
target_link_options(fieldcalc PRIVATE -Oz)
