#include "runtime/system/commdlg.h"

#include "runtime/forms/form.h"
#include "runtime/forms/runtime.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace rt {
namespace {

int runDialog(OPENFILENAME& ofn, bool save) {
    // The pairs of the filter, and the one the index names.
    const QStringList parts = ofn.lpstrFilter.split(QChar(0));
    const qsizetype pairs = parts.size() / 2;
    qsizetype pick = qsizetype(ofn.nFilterIndex) - 1;
    if (pick < 0 || pick >= pairs || parts[2 * pick].isEmpty())
        pick = 0;
    const QString filterName = pairs > 0 ? parts[2 * pick] : QString();
    const QString filterPattern = pairs > 0 ? parts[2 * pick + 1] : QString();
    // The proposed name is padded with blanks to give the dialog room.
    const QString proposed = UpToNul(ofn.lpstrFile).trimmed();
    const QString title = UpToNul(ofn.lpstrTitle);
    const QString extension = UpToNul(ofn.lpstrDefExt);

    FileDialogRequest request;
    request.save = save;
    request.title = &title;
    request.filterName = &filterName;
    request.filterPattern = &filterPattern;
    request.proposedName = &proposed;
    request.defaultExtension = &extension;
    request.confirmOverwrite = save && (ofn.Flags & OFN_OVERWRITEPROMPT);
    request.owner = Form::fromHandle(ofn.hwndOwner);

    const std::optional<QString> chosen = host().fileDialog(request);
    if (!chosen || chosen->isEmpty())
        return 0;
    const QFileInfo info(*chosen);
    const QString name = info.fileName();
    ofn.lpstrFile = *chosen + QChar(0);
    ofn.lpstrFileTitle = name + QChar(0);
    ofn.nFileOffset = std::uint16_t(std::min<qsizetype>(chosen->size() - name.size(), 0xFFFF));
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    ofn.nFileExtension = dot < 0 ? 0 : std::uint16_t(std::min<qsizetype>(ofn.nFileOffset + dot + 1, 0xFFFF));
    return 1;
}

} // namespace

QString UpToNul(const QString& member) {
    const qsizetype nul = member.indexOf(QChar(0));
    return nul < 0 ? member : member.left(nul);
}

int GetOpenFileNameA(OPENFILENAME& ofn) { return runDialog(ofn, false); }
int GetSaveFileNameA(OPENFILENAME& ofn) { return runDialog(ofn, true); }

} // namespace rt
