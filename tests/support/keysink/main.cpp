// Receiving end for the keystroke tests: one text box that keeps its whole text in the file named on the
// command line. The file is replaced whole, so a reader never sees half a write.
#include <QApplication>
#include <QPlainTextEdit>
#include <QSaveFile>
#include <QTimer>

int main(int argc, char** argv)
{
    // The tests run offscreen; this program must live on the X display the keys are typed into.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);

    QPlainTextEdit box;
    box.setWindowTitle("keysink");
    // Written once the keys stop coming for a moment, not per key: a receiver busy writing files
    // would slow down the typing it is there to watch.
    QTimer settle;
    settle.setSingleShot(true);
    settle.setInterval(5);
    QObject::connect(&box, &QPlainTextEdit::textChanged, &settle, qOverload<>(&QTimer::start));
    QObject::connect(&settle, &QTimer::timeout, [&] {
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly)) {
            file.write(box.toPlainText().toUtf8());
            file.commit();
        }
    });
    box.resize(500, 200);
    box.show();
    return app.exec();
}
