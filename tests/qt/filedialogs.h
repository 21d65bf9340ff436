#pragma once
// The user at Qt's file dialog, for the tests: acts on the next dialog shown,
// again at each poll while it stays open (a busy machine may not take the
// first accept), so a test never waits on a dialog nobody answers.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>
#include <memory>

namespace tavrin::qt::test {

inline QFileDialog* shownFileDialog() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* dialog = qobject_cast<QFileDialog*>(w); dialog && dialog->isVisible())
            return dialog;
    return nullptr;
}

inline void withNextFileDialog(std::function<void(QFileDialog&)> user) {
    auto* poll = new QTimer(qApp);
    auto since = std::make_shared<QElapsedTimer>();
    since->start();
    // The one dialog this answers; a later one is another answer's.
    auto mine = std::make_shared<QPointer<QFileDialog>>();
    auto seen = std::make_shared<bool>(false);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, user, since, mine, seen] {
        // A complaint of the dialog's own ("file not found") goes first.
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
                box->reject();
        if (!*seen) {
            *mine = shownFileDialog();
            *seen = !mine->isNull();
        }
        QFileDialog* dialog = *mine;
        if (!dialog || !dialog->isVisible()) {
            if (*seen || since->elapsed() > 10000)
                poll->deleteLater();
            return;
        }
        if (since->elapsed() > 10000) {
            dialog->reject();
            return;
        }
        user(*dialog);
    });
    poll->start(5);
}

// Chooses `path` in the next file dialog.
inline void chooseInNextFileDialog(const QString& path) {
    withNextFileDialog([path](QFileDialog& dialog) {
        dialog.selectFile(path);
        QMetaObject::invokeMethod(&dialog, "accept");
    });
}

} // namespace tavrin::qt::test
