#include <QtTest>
class T : public QObject { Q_OBJECT private slots: void none() { QVERIFY(true); } };
QTEST_GUILESS_MAIN(T)
#include "test_text_file.moc"
