// DeskPad on a large file, on the desktop host (offscreen unless a display
// is chosen): opening to the first paint, saving, a keystroke, the word-wrap
// switch and the memory they take, each next to a plain QPlainTextEdit doing
// the same, in the same run. Then a 1 MB line with no line end under word
// wrap: how long the one user-interface thread (and with it the clock's tick)
// is held.
#include "deskpad/mypad.h"
#include "hosts/qt/peers.h"
#include "hosts/qt/qthost.h"
#include "runtime/services/filetext.h"
#include "runtime/services/readfile.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) { return std::chrono::duration<double, std::milli>(Clock::now() - t0).count(); }

double timed(const std::function<void()>& work) {
    const auto t0 = Clock::now();
    work();
    return msSince(t0);
}

long residentKb() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * 4;
}

// Paints at once what the user would see next.
void paint(QPlainTextEdit* edit) {
    edit->viewport()->repaint();
    QCoreApplication::processEvents();
}

// Lets the rest of a large text come into the box; returns the time that
// took and, in *longest, the longest any one round of events held the thread.
double loadRest(QPlainTextEdit* edit, const QString& formText, double* longest) {
    const int whole = int(formText.size() - formText.count(QLatin1String("\r\n")));
    *longest = 0;
    const auto t0 = Clock::now();
    while (edit->document()->characterCount() - 1 < whole) {
        const double one = timed([] { QCoreApplication::processEvents(); });
        *longest = std::max(*longest, one);
    }
    return msSince(t0);
}

QByteArray shortCrLfLines(qsizetype size) {
    QByteArray out;
    out.reserve(size + 64);
    for (int n = 0; out.size() < size; ++n) {
        out += "line " + QByteArray::number(n) + ' ';
        for (int i = 0; i < 16; ++i)
            out += char(0x80 + (n * 7 + i * 13) % 128);
        out += "\r\n";
    }
    return out;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::vector<double> keystrokes(QPlainTextEdit* edit, QTextCursor::MoveOperation where, int n) {
    QTextCursor c = edit->textCursor();
    c.movePosition(where);
    edit->setTextCursor(c);
    std::vector<double> ms;
    for (int i = 0; i < n; ++i)
        ms.push_back(timed([&] {
            QTest::keyClick(edit, Qt::Key_X);
            paint(edit);
        }));
    return ms;
}

QPlainTextEdit* plainLikeText1() {
    auto* edit = new QPlainTextEdit;
    edit->setGeometry(655, 495, 345, 217);
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->show();
    return edit;
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    QTemporaryDir dir;
    qputenv("XDG_CONFIG_HOME", dir.filePath("config").toUtf8());
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    tavrin::qt::QtHost host;
    rt::installHost(&host);

    const QString path = dir.filePath("big.txt");
    const QByteArray original = shortCrLfLines(10 * 1024 * 1024);
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(original);
    }
    tavrin::OpenDeskPad();
    tavrin::mypad_form& pad = *tavrin::mypad;
    auto* text1 = dynamic_cast<QPlainTextEdit*>(tavrin::qt::widgetOf(pad.Text1));
    auto* text2 = dynamic_cast<QPlainTextEdit*>(tavrin::qt::widgetOf(pad.Text2));
    QCoreApplication::processEvents();

    std::printf("10 MB of short CR LF lines with bytes 0x80-0xFF\n");
    const long rss0 = residentKb();
    const double open = timed([&] {
        // What "Open File" does once the dialog has returned the path.
        rt::FileText file = rt::DecodeFileText(rt::ReadWholeFile(path));
        pad.padfile = path;
        pad.padencoding = file.encoding;
        pad.VisibleText().Text(file.text);
        paint(text1);
    });
    double openHold = 0;
    const double openRest = loadRest(text1, pad.Text1.Text(), &openHold);
    const long rss1 = residentKb();
    const double save = timed([&] { pad.saveimg_Click(); });
    const bool same = rt::ReadWholeFile(path) == original;
    const auto atStart = keystrokes(text1, QTextCursor::Start, 30);
    const auto atEnd = keystrokes(text1, QTextCursor::End, 30);
    const double wrap = timed([&] {
        pad.Wrap.Value(rt::vbChecked);
        paint(text2);
    });
    double wrapHold = 0;
    const double wrapRest = loadRest(text2, pad.Text2.Text(), &wrapHold);
    const long rss2 = residentKb();
    const auto wrappedStart = keystrokes(text2, QTextCursor::Start, 30);

    // The same text in a plain QPlainTextEdit, Qt's own cost.
    QString widgetText = QString::fromLatin1(original);
    widgetText.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QPlainTextEdit* plain = plainLikeText1();
    const long rss3 = residentKb();
    const double plainOpen = timed([&] {
        plain->setPlainText(widgetText);
        paint(plain);
    });
    const long rss4 = residentKb();
    const auto plainStart = keystrokes(plain, QTextCursor::Start, 30);
    const double plainWrap = timed([&] {
        plain->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        paint(plain);
    });

    std::printf("  open to first paint   %8.1f ms   plain QPlainTextEdit setPlainText %8.1f ms   ratio %.2f\n", open,
                plainOpen, open / plainOpen);
    std::printf("  the rest comes in within %.0f ms more, the longest hold of the thread %.0f ms\n", openRest, openHold);
    std::printf("  save (encode, write, flush, rename)  %8.1f ms   bytes kept: %s\n", save, same ? "yes" : "NO");
    std::printf("  keystroke at start    median %6.2f ms  max %6.2f ms   plain median %6.2f ms   ratio %.2f\n",
                median(atStart), *std::max_element(atStart.begin(), atStart.end()), median(plainStart),
                median(atStart) / median(plainStart));
    std::printf("  keystroke at end      median %6.2f ms  max %6.2f ms\n", median(atEnd),
                *std::max_element(atEnd.begin(), atEnd.end()));
    std::printf("  Wrap switch           %8.1f ms   plain wrap-mode switch %8.1f ms\n", wrap, plainWrap);
    std::printf("  the rest comes in within %.0f ms more, the longest hold of the thread %.0f ms\n", wrapRest, wrapHold);
    std::printf("  keystroke, wrapped    median %6.2f ms\n", median(wrappedStart));
    std::printf("  resident memory: +%ld MB at open, +%ld MB more at the Wrap switch; plain widget +%ld MB\n",
                (rss1 - rss0) / 1024, (rss2 - rss1) / 1024, (rss4 - rss3) / 1024);
    delete plain;

    // One long line with no line end, word wrap on: Qt lays the whole
    // paragraph out again at the switch and at each keystroke in it.
    pad.Wrap.Value(rt::vbUnchecked);
    for (const qsizetype size : {64 * 1024, 256 * 1024, 1024 * 1024}) {
        for (const bool blanks : {true, false}) {
            QString text;
            text.reserve(size);
            for (int i = 0; text.size() < size; ++i)
                text += blanks ? QStringLiteral("word%1 ").arg(i % 1000) : QStringLiteral("wwwwwwwwww");
            text.truncate(size);
            pad.Text1.Text(text);
            paint(text1);
            const double stall = timed([&] {
                pad.Wrap.Value(rt::vbChecked);
                paint(text2);
            });
            const double key = median(keystrokes(text2, QTextCursor::End, 3));
            std::printf("%4lld KB line (%s), Wrap ticked: the switch holds the thread (and the clock's tick) "
                        "%5.0f ms; a keystroke in it %4.0f ms\n",
                        (long long)size / 1024, blanks ? "words" : "no blanks", stall, key);
            pad.Wrap.Value(rt::vbUnchecked);
            pad.Text1.Text(QString());
            pad.Text2.Text(QString());
            paint(text1);
        }
    }

    // The same 256 KB word in a plain QPlainTextEdit, which wraps at word
    // boundaries or else anywhere.
    {
        QPlainTextEdit plainWrapped;
        plainWrapped.setGeometry(655, 495, 345, 217);
        plainWrapped.show();
        const QString word(256 * 1024, QLatin1Char('w'));
        const double plain = timed([&] {
            plainWrapped.setPlainText(word);
            paint(&plainWrapped);
        });
        std::printf(" 256 KB line (no blanks) in a plain QPlainTextEdit: %5.0f ms\n", plain);
    }

    rt::unloadEverythingQuietly();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    rt::installHost(nullptr);
    return 0;
}
