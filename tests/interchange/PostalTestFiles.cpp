#include "PostalTestFiles.h"

#include "common/TestEnvironment.h"
#include "interchange/PostalDatabase.h"

#include <QFile>

#include <unicode/ucnv.h>
#include <zlib.h>

#include <stdexcept>

namespace PostalTestFiles {

QString tableText(const QString &name)
{
    QFile file(TestEnvironment::dataPath(QStringLiteral("postal/") + name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("can't read " + name.toStdString());
    return QString::fromUtf8(file.readAll()).replace(u'\n', QStringLiteral("\r\n"));
}

QByteArray encodeWindows31J(const QString &text)
{
    UErrorCode error = U_ZERO_ERROR;
    UConverter *converter = ucnv_open("windows-31j", &error);
    QByteArray bytes(text.size() * 2 + 16, Qt::Uninitialized);
    const int32_t length = ucnv_fromUChars(converter, bytes.data(), int32_t(bytes.size()),
        reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()), &error);
    ucnv_close(converter);
    if (U_FAILURE(error))
        throw std::runtime_error(u_errorName(error));
    bytes.truncate(length);
    return bytes;
}

QByteArray compress(const QByteArray &data, Stream stream)
{
    z_stream deflater{};
    // Window bits 15 write a zlib header, 15 + 16 a gzip header.
    if (deflateInit2(&deflater, 9, Z_DEFLATED, stream == Stream::Gzip ? 15 + 16 : 15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2");
    QByteArray out(qsizetype(deflateBound(&deflater, uLong(data.size()))) + 32, Qt::Uninitialized);
    deflater.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    deflater.avail_in = uInt(data.size());
    deflater.next_out = reinterpret_cast<Bytef *>(out.data());
    deflater.avail_out = uInt(out.size());
    const int status = deflate(&deflater, Z_FINISH);
    deflateEnd(&deflater);
    if (status != Z_STREAM_END)
        throw std::runtime_error("deflate");
    out.truncate(qsizetype(deflater.total_out));
    return out;
}

void writeFile(const QString &folder, const QString &name, const QByteArray &data)
{
    QFile file(folder + u'/' + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        throw std::runtime_error("can't write " + file.fileName().toStdString());
}

QString toyamaAreaLines()
{
    return QStringLiteral(
        "16201,\"93923\",\"9392342\",\"ﾄﾔﾏｹﾝ\",\"ﾄﾔﾏｼ\",\"ﾔﾂｵﾏﾁｶﾐｼﾝﾏﾁ\",\"富山県\",\"富山市\",\"八尾町上新町\",0,0,0,0,"
        "0,0\n"
        "16201,\"93923\",\"9392300\",\"ﾄﾔﾏｹﾝ\",\"ﾄﾔﾏｼ\",\"ﾔﾂｵﾏﾁ\",\"富山県\",\"富山市\",\"八尾町\",0,0,0,0,0,0\n");
}

QString writeTables(const QString &folderName, const QString &moreAreaLines)
{
    const QString folder = TestEnvironment::makeScratchFolder(folderName);
    for (const char *table : {"ken_all", "jigyosyo"}) {
        const QString name = QString::fromLatin1(table);
        QString text = tableText(name + u".csv");
        if (name == u"ken_all")
            text += QString(moreAreaLines).replace(u'\n', QStringLiteral("\r\n"));
        writeFile(folder, name + u".gzip", compress(encodeWindows31J(text), Stream::Gzip));
    }
    return folder;
}

std::shared_ptr<const PostalDatabase> database(const QString &folderName, const QString &moreAreaLines)
{
    const QString folder = writeTables(folderName, moreAreaLines);
    return std::make_shared<const PostalDatabase>(
        PostalDatabase::fromFiles(folder + u"/ken_all.gzip", folder + u"/jigyosyo.gzip"));
}

} // namespace PostalTestFiles
