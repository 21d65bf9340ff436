#pragma once
// The standard open and save dialogs, driven by the classic OPENFILENAME
// record. Text members hold their NULs as characters; a returned path is a
// native file name of any length, followed by one NUL.
#include <QString>

#include <cstdint>

namespace rt {

constexpr std::uint32_t OFN_OVERWRITEPROMPT = 0x2;
constexpr std::uint32_t OFN_HIDEREADONLY = 0x4;
constexpr std::uint32_t OFN_EXPLORER = 0x80000;
constexpr std::uint32_t OFN_LONGNAMES = 0x200000;

struct OPENFILENAME {
    std::uint32_t lStructSize = 0;
    std::int32_t hwndOwner = 0;
    std::int32_t hInstance = 0;
    QString lpstrFilter;        // pairs of name NUL pattern NUL, ended by a further NUL
    QString lpstrCustomFilter;
    std::uint32_t nMaxCustFilter = 0;
    std::uint32_t nFilterIndex = 0; // 1-based; out of range: the first pair
    QString lpstrFile;          // in: the proposed name; out: the chosen full path
    std::uint32_t nMaxFile = 0;
    QString lpstrFileTitle;     // out: the chosen name without its folder
    std::uint32_t nMaxFileTitle = 0;
    QString lpstrInitialDir;
    QString lpstrTitle;         // empty: the dialog's own title
    std::uint32_t Flags = 0;
    std::uint16_t nFileOffset = 0;
    std::uint16_t nFileExtension = 0;
    QString lpstrDefExt;
    std::int32_t lCustData = 0;
    std::int32_t lpfnHook = 0;
    QString lpTemplateName;
};

// Modal to the record's owner window. Non-zero when the user chose a file;
// zero when the dialog was cancelled (the record's out members then stay).
int GetOpenFileNameA(OPENFILENAME& ofn);
int GetSaveFileNameA(OPENFILENAME& ofn);

// A text member up to its first NUL.
QString UpToNul(const QString& member);

} // namespace rt
