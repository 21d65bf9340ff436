// The least a Qt Widgets clock can be on this machine: a frameless label that
// shows the time and changes it once a second. The desktop bench starts it
// beside tavrin and xclock, so that Qt's own share of the start-up time and
// of the memory shows in the same run.
#include <QApplication>
#include <QLabel>
#include <QTime>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QLabel clock;
    clock.setWindowFlags(Qt::FramelessWindowHint);
    const auto tick = [&clock] { clock.setText(QTime::currentTime().toString(QStringLiteral("hh:mm:ss"))); };
    tick();
    clock.resize(150, 40);
    clock.show();
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, tick);
    timer.start(1000);
    return QApplication::exec();
}
