#pragma once
// Lookup of one key of one section of an INI file, as the network settings file is read.

#include <QByteArray>
#include <QVector>

#include <cstddef>

// The lookup fills a buffer of this size, so at most one byte less of a value is seen.
constexpr std::size_t PROFILE_VALUE_BUFFER_SIZE = 512;

// The values of keys in section of the INI file at path (UTF-8, files/FilePath.h),
// in the order of keys: each at most PROFILE_VALUE_BUFFER_SIZE - 1 bytes, empty when the
// file, the section or the key is missing or the value is empty.
//
// On Windows this is the platform's profile lookup, given the full path in UTF-16 and giving
// the values in the local code page. Elsewhere the same
// rules apply to the files people write: section and key names match without regard to case; a line splits at
// its first "="; spaces and tabs around names and values are dropped; one pair of matching
// quotation marks (" or ') around the whole value is dropped; a line whose first non-blank
// character is ";" is a comment, while a ";" after a value belongs to the value; lines end
// with LF, CR LF or a lone CR, so a value never holds a CR; the first matching key of the
// first matching section wins. A NUL byte ends the text of its line. A UTF-8 byte order mark
// at the very start of the file is skipped. The file is read once for all keys. Two rules of
// the platform's lookup (as Wine has it) are not followed: it takes a line without "=" for a key
// without a value, and it looks at lines of any length, while this reader gives a key on a line
// beyond 64 KiB an empty value.
QVector<QByteArray> ReadProfileStrings(const char *path, const char *section,
                                       const QVector<const char *> &keys);
