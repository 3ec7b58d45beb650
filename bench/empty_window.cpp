// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick of the start-up benchmark: an empty Qt Widgets window of the program's size that
// starts, paints, lets the window settle as the program's screenshot does, saves itself and
// ends. Everything Lutavo takes beyond this is its own.
//
//   empty_window WIDTHxHEIGHT FILE.png

#include <QApplication>
#include <QEventLoop>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    const QStringList size = argc > 1 ? QString(argv[1]).split('x') : QStringList();
    if (argc != 3 || size.size() != 2 || size[0].toInt() <= 0 || size[1].toInt() <= 0) {
        std::fprintf(stderr, "usage: empty_window WIDTHxHEIGHT FILE.png\n");
        return 2;
    }
    QWidget window;
    window.resize(size[0].toInt(), size[1].toInt());
    window.show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return window.grab().save(QString(argv[2]), "PNG") ? 0 : 1;
}
