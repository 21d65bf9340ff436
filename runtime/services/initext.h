#pragma once
// The settings file's text: sections of key=value lines. Reading decodes it
// as UTF-8; an edit replaces or adds the one line of its key and keeps every
// other byte as it was, so that hand-made bytes (another encoding, CRLF line
// ends, a byte-order mark, comments) survive any save.
#include <QByteArray>
#include <QHash>
#include <QString>

namespace rt::ini {

using Values = QHash<QString, QHash<QString, QString>>;

// Names that can be written so that they read back as the same name.
bool validSection(const QString& section);
bool validKey(const QString& key);

Values parse(const QByteArray& text);

// The text with the key's first line in the section replaced, or added at the
// end of the section's first block, or the section added at the end.
QByteArray withValue(const QByteArray& text, const QString& section, const QString& key,
                     const QString& value);

} // namespace rt::ini
