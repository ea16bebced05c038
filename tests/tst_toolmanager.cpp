#include <QtTest>

class tst_Placeholder : public QObject
{
    Q_OBJECT
};

QTEST_MAIN(tst_Placeholder)
#include "tst_toolmanager.moc"
