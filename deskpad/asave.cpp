#include "deskpad/asave.h"

namespace tavrin {

using namespace rt;

OPENFILENAME paddialog;

void PreparePadDialog(std::int32_t owner) {
    const QChar nul(0);
    paddialog.lStructSize = 76;
    paddialog.hwndOwner = owner;
    paddialog.lpstrFilter = QStringLiteral("Text Files") + nul + QStringLiteral("*.txt") + nul + nul;
    // One pair only; an index past it shows that pair.
    paddialog.nFilterIndex = 2;
    paddialog.lpstrFile = QStringLiteral("Deskpad") + QString(1024, QLatin1Char(' ')) + nul + nul;
    paddialog.nMaxFile = std::uint32_t(paddialog.lpstrFile.size());
    paddialog.lpstrFileTitle = nul + QString(512, QLatin1Char(' ')) + nul + nul;
    paddialog.nMaxFileTitle = std::uint32_t(paddialog.lpstrFileTitle.size());
    paddialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_EXPLORER | OFN_LONGNAMES;
    paddialog.lpstrDefExt = QStringLiteral("txt") + nul + nul;
}

} // namespace tavrin
