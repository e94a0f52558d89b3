# SPDX-FileCopyrightText: 2026 the fieldcalc developers
# SPDX-License-Identifier: MIT

# fieldcalc_windows_resources(target description): the program's icon, its
# application manifest and a version resource from the project version.
function(fieldcalc_windows_resources target description)
    set(FIELDCALC_RC_NAME ${target})
    set(FIELDCALC_RC_DESCRIPTION "${description}")
    set(FIELDCALC_RC_ICON "${PROJECT_SOURCE_DIR}/packaging/windows/fieldcalc.ico")
    set(FIELDCALC_RC_MANIFEST "${CMAKE_CURRENT_BINARY_DIR}/${target}.manifest")
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/fieldcalc.manifest.in
        ${FIELDCALC_RC_MANIFEST} @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/fieldcalc.rc.in
        ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc APPEND PROPERTY
        OBJECT_DEPENDS ${FIELDCALC_RC_ICON} ${FIELDCALC_RC_MANIFEST})
endfunction()
