#include "FieldModel.h"
#include <QtTest>
class FieldModelTest : public QObject
{
    Q_OBJECT
};
QTEST_APPLESS_MAIN(FieldModelTest)
#include "tst_fieldmodel.moc"
