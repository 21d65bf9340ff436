#include "runtime/services/initext.h"

#include "runtime/services/convert.h"

#include <vector>

namespace rt::ini {

namespace {

// Characters that must not appear raw in a plain value or in a name: they
// would break the line, or be invisible in an editor.
bool isControl(QChar c) {
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

bool hasControl(QStringView s) {
    for (QChar c : s)
        if (isControl(c))
            return true;
    return false;
}

QString decodeValue(QStringView raw) {
    const QStringView s = TrimBlanks(raw);
    if (!s.startsWith(u'"'))
        return s.toString();
    QString out;
    out.reserve(s.size());
    for (qsizetype i = 1; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'"')
            break; // anything after the closing quote is ignored
        if (c == u'\\' && i + 1 < s.size()) {
            const QChar e = s[++i];
            switch (e.unicode()) {
            case u'n': out += u'\n'; break;
            case u'r': out += u'\r'; break;
            case u't': out += u'\t'; break;
            case u'\\': out += u'\\'; break;
            case u'"': out += u'"'; break;
            default: // not an escape we write: keep it as typed
                out += u'\\';
                out += e;
            }
            continue;
        }
        out += c;
    }
    return out;
}

QString encodeValue(const QString& v) {
    const bool plain = v.isEmpty() ||
                       (!IsBlank(v.front()) && !IsBlank(v.back()) && v.front() != u'"' &&
                        v.front() != u';' && v.front() != u'#' && !hasControl(v));
    if (plain)
        return v;
    QString out;
    out.reserve(v.size() + 2);
    out += u'"';
    for (QChar c : v) {
        switch (c.unicode()) {
        case u'\\': out += u"\\\\"; break;
        case u'"': out += u"\\\""; break;
        case u'\n': out += u"\\n"; break;
        case u'\r': out += u"\\r"; break;
        case u'\t': out += u"\\t"; break;
        default: out += c;
        }
    }
    out += u'"';
    return out;
}

// One line of the file as bytes: its text runs from start to end; its line
// end ("\n", "\r\n" or none at the end of the file) from end to next.
struct RawLine {
    qsizetype start = 0;
    qsizetype end = 0;
    qsizetype next = 0;
};

std::vector<RawLine> splitLines(const QByteArray& text) {
    std::vector<RawLine> lines;
    qsizetype start = text.startsWith("\xEF\xBB\xBF") ? 3 : 0; // a byte-order mark is no text
    while (start < text.size()) {
        const qsizetype newline = text.indexOf('\n', start);
        const qsizetype next = newline < 0 ? text.size() : newline + 1;
        qsizetype end = newline < 0 ? text.size() : newline;
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.push_back({start, end, next});
        start = next;
    }
    return lines;
}

QString lineText(const QByteArray& text, const RawLine& raw) {
    return QString::fromUtf8(text.constData() + raw.start, raw.end - raw.start);
}

// The line end a new line gets: the file's own.
QByteArray lineEnd(const QByteArray& text) {
    const qsizetype newline = text.indexOf('\n');
    return newline > 0 && text[newline - 1] == '\r' ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
}

struct Line {
    enum Kind { Other, Section, Entry } kind = Other;
    QString name;       // section name (null for a broken header) or key
    QStringView value;  // raw text after the first '='
};

Line parseLine(const QString& text) {
    const QStringView s = TrimBlanks(text);
    if (s.isEmpty() || s.front() == u';' || s.front() == u'#')
        return {};
    if (s.front() == u'[') {
        const qsizetype close = s.indexOf(u']');
        // A header without ']' opens a section no name matches.
        if (close < 0)
            return {Line::Section, QString(), {}};
        return {Line::Section, TrimBlanks(s.sliced(1, close - 1)).toString(), {}};
    }
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0)
        return {};
    return {Line::Entry, TrimBlanks(QStringView(text).first(eq)).toString(),
            QStringView(text).sliced(eq + 1)};
}

} // namespace

bool validSection(const QString& s) {
    return !s.isEmpty() && !hasControl(s) && !s.contains(u'[') && !s.contains(u']') &&
           TrimBlanks(s).size() == s.size();
}

bool validKey(const QString& k) {
    return !k.isEmpty() && !hasControl(k) && !k.contains(u'=') && k.front() != u'[' &&
           k.front() != u';' && k.front() != u'#' && TrimBlanks(k).size() == k.size();
}

Values parse(const QByteArray& text) {
    Values values;
    QString section;
    for (const RawLine& raw : splitLines(text)) {
        const QString lineString = lineText(text, raw);
        const Line line = parseLine(lineString);
        if (line.kind == Line::Section) {
            section = line.name;
        } else if (line.kind == Line::Entry && !section.isNull()) {
            QHash<QString, QString>& keys = values[section];
            if (!keys.contains(line.name)) // the first of duplicate keys counts
                keys.insert(line.name, decodeValue(line.value));
        }
    }
    return values;
}

QByteArray withValue(const QByteArray& text, const QString& section, const QString& key,
                     const QString& value) {
    const QByteArray entry = (key + u'=' + encodeValue(value)).toUtf8();
    const std::vector<RawLine> lines = splitLines(text);
    bool inSection = false;
    bool inFirstBlock = false;
    const RawLine* insertAfter = nullptr;
    for (const RawLine& raw : lines) {
        const QString lineString = lineText(text, raw);
        const Line line = parseLine(lineString);
        if (line.kind == Line::Section) {
            inSection = !line.name.isNull() && line.name == section;
            inFirstBlock = inSection && !insertAfter;
            if (inFirstBlock)
                insertAfter = &raw;
            continue;
        }
        if (line.kind == Line::Entry && inSection && line.name == key)
            return QByteArray(text).replace(raw.start, raw.end - raw.start, entry);
        if (inFirstBlock && !TrimBlanks(lineString).isEmpty())
            insertAfter = &raw;
    }
    const QByteArray eol = lineEnd(text);
    // A last line without a line end gets one; a CR it ends in (read as no
    // part of its text) becomes the first half of it.
    const QByteArray endLastLine = text.endsWith('\r') ? QByteArrayLiteral("\n") : eol;
    QByteArray out = text;
    if (insertAfter) {
        const bool ended = text[insertAfter->next - 1] == '\n';
        return out.insert(insertAfter->next, ended ? entry + eol : endLastLine + entry + eol);
    }
    if (!out.isEmpty() && !out.endsWith('\n'))
        out += endLastLine;
    if (!lines.empty() && !TrimBlanks(lineText(text, lines.back())).isEmpty())
        out += eol;
    return out + '[' + section.toUtf8() + ']' + eol + entry + eol;
}

} // namespace rt::ini
