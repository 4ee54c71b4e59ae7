#include "horselist.h"
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <cstdio>
int main() {
    QByteArray content;
    auto* rng = QRandomGenerator::global();
    for (int i = 0; i < 1000000; ++i) {
        content += QByteArray::number(rng->bounded(1, 2)) + ":" +
                   QByteArray::number(rng->bounded(10, 30)) + ":" +
                   QByteArray::number(rng->bounded(10, 99)) + " ---- 2100m ---- 57Kg ---- Eclair " +
                   QByteArray::number(rng->bounded(100000)) + " ---- terrain : bon\r\n";
    }
    std::printf("bytes %lld\n", (long long)content.size());
    HorseList list;
    QElapsedTimer t;
    t.start();
    list.addFileContent(content);
    std::printf("load %lld ms\n", (long long)t.elapsed());
    t.start();
    for (int i = 0; i < 100; ++i)
        list.add(QString("1:15:%1 ---- 2100m ---- 57Kg ---- Test").arg(i));
    std::printf("add %f ms each\n", t.nsecsElapsed() / 1e6 / 100);
}
