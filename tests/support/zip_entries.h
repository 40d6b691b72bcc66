#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>

#include <zlib.h>

#include <cstdint>

// The files in a zip archive (a workbook), by name: stored or deflated
// entries whose sizes stand in their local headers, as a seekable writer
// leaves them. Empty when the bytes are no such archive.
inline QMap<QString, QByteArray> ZipEntries(const QByteArray& zip)
{
    auto u16 = [&zip](qsizetype at) { return static_cast<std::uint8_t>(zip[at]) | static_cast<std::uint8_t>(zip[at + 1]) << 8; };
    auto u32 = [&](qsizetype at) { return static_cast<std::uint32_t>(u16(at)) | static_cast<std::uint32_t>(u16(at + 2)) << 16; };
    QMap<QString, QByteArray> entries;
    qsizetype at = 0;
    while (at + 30 <= zip.size() && u32(at) == 0x04034b50) {
        const int method = u16(at + 8);
        const std::uint32_t packed = u32(at + 18);
        const std::uint32_t size = u32(at + 22);
        const int nameLength = u16(at + 26);
        const int extra = u16(at + 28);
        const QString name = QString::fromUtf8(zip.mid(at + 30, nameLength));
        const qsizetype data = at + 30 + nameLength + extra;
        if (data + packed > zip.size())
            return {};
        QByteArray out(static_cast<qsizetype>(size), '\0');
        if (method == 0) {
            out = zip.mid(data, packed);
        } else {
            z_stream z{};
            inflateInit2(&z, -MAX_WBITS);
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(zip.constData() + data));
            z.avail_in = packed;
            z.next_out = reinterpret_cast<Bytef*>(out.data());
            z.avail_out = size;
            const int rc = inflate(&z, Z_FINISH);
            inflateEnd(&z);
            if (rc != Z_STREAM_END)
                return {};
        }
        entries.insert(name, out);
        at = data + packed;
    }
    return entries;
}
