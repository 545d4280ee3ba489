// Receiving end for the keystroke tests: one text box that keeps its whole text in the file named on the
// command line. The file is replaced on every change, so a reader never sees half a write, and it already
// holds everything typed before each Enter.
#include <QApplication>
#include <QPlainTextEdit>
#include <QSaveFile>

int main(int argc, char** argv)
{
    // The tests run offscreen; this program must live on the X display the keys are typed into.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);

    QPlainTextEdit box;
    box.setWindowTitle(QStringLiteral("keysink"));
    QObject::connect(&box, &QPlainTextEdit::textChanged, [&] {
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
