#include "hosts/qt/dialogs.h"

#include "hosts/qt/peers.h"

#include "runtime/forms/form.h"
#include "runtime/forms/runtime.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>

namespace tavrin::qt {
namespace {

constexpr int vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7;

struct Choice {
    QMessageBox::StandardButton button;
    int answer;
};

std::vector<Choice> choicesFor(int buttons) {
    switch (buttons & 7) {
    case 1: return {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
    case 2: return {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
    case 3: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
    case 4: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
    case 5: return {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
    default: return {{QMessageBox::Ok, vbOK}};
    }
}

// A dialog belongs to its owner's window, or to the window the user was in.
QWidget* dialogParent(const rt::Form* owner) {
    if (owner)
        if (QWidget* w = widgetOf(*owner); w && w->isVisible())
            return w;
    return QApplication::activeWindow();
}

// The window manager need not give that window the keyboard focus back when
// the dialog closes (openbox leaves it nowhere); the user goes on typing there.
void refocus(const QPointer<QWidget>& window) {
    if (window && window->isVisible())
        window->activateWindow();
}

} // namespace

void setUpMessageBox(QMessageBox& box, const QString& prompt, int buttons, const QString& title) {
    box.setText(prompt);
    box.setWindowTitle(title.isEmpty() ? rt::App.Title : title);
    switch (buttons & 0x70) {
    case 16: box.setIcon(QMessageBox::Critical); break;
    case 32: box.setIcon(QMessageBox::Question); break;
    case 48: box.setIcon(QMessageBox::Warning); break;
    case 64: box.setIcon(QMessageBox::Information); break;
    default: box.setIcon(QMessageBox::NoIcon); break;
    }
    const auto choices = choicesFor(buttons);
    for (const Choice& c : choices)
        box.addButton(c.button);
    const std::size_t preferred = std::size_t((buttons >> 8) & 3);
    box.setDefaultButton(choices[preferred < choices.size() ? preferred : 0].button);
    // Escape and the close button answer Cancel where there is one, else the
    // only sensible way out (OK alone, No of Yes/No).
    for (const Choice& c : choices)
        if (c.answer == vbCancel)
            box.setEscapeButton(c.button);
    if (!box.escapeButton())
        box.setEscapeButton(choices.size() == 1 ? choices.front().button : choices.back().button);
    // The clock sits above other windows; its questions must not hide behind it.
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
}

int answerOf(const QMessageBox& box, int buttons) {
    const auto choices = choicesFor(buttons);
    const auto clicked = box.standardButton(box.clickedButton());
    for (const Choice& c : choices)
        if (c.button == clicked)
            return c.answer;
    for (const Choice& c : choices)
        if (box.standardButton(box.escapeButton()) == c.button)
            return c.answer;
    return vbCancel;
}

int messageBox(const QString& prompt, int buttons, const QString& title) {
    const QPointer<QWidget> parent = dialogParent(nullptr);
    QMessageBox box(parent);
    setUpMessageBox(box, prompt, buttons, title);
    box.exec();
    refocus(parent);
    return answerOf(box, buttons);
}

std::optional<QString> fileDialog(const rt::FileDialogRequest& request) {
    const QPointer<QWidget> parent = dialogParent(request.owner);
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (request.title && !request.title->isEmpty())
        dialog.setWindowTitle(*request.title);
    if (request.filterPattern && !request.filterPattern->isEmpty()) {
        const QString name = request.filterName ? *request.filterName : QString();
        dialog.setNameFilter(QStringLiteral("%1 (%2)").arg(name, request.filterPattern->split(QLatin1Char(';')).join(QLatin1Char(' '))));
    }
    if (request.defaultExtension && !request.defaultExtension->isEmpty()) {
        QString suffix = *request.defaultExtension;
        if (suffix.startsWith(QLatin1Char('.')))
            suffix.remove(0, 1);
        dialog.setDefaultSuffix(suffix);
    }
    if (request.proposedName && !request.proposedName->isEmpty())
        dialog.selectFile(*request.proposedName);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !(request.save && request.confirmOverwrite));
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    const int result = dialog.exec();
    refocus(parent);
    if (result != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen.front();
}

} // namespace tavrin::qt
