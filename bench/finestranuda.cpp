// The window the program's start is compared with: a bare Qt Widgets window
// showing a label, which ends as soon as it has been painted the first time,
// as the program does under the start-up benchmark. It links Qt Widgets only.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace {

class FineDopoPittura : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !m_fatto) {
            m_fatto = true;
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(o, e);
    }

private:
    bool m_fatto = false;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel etichetta(QStringLiteral("Quadrivela"));
    etichetta.resize(600, 372);
    etichetta.installEventFilter(new FineDopoPittura(&etichetta));
    etichetta.show();
    return app.exec();
}
