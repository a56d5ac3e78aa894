#include "PostalTestFiles.h"

#include "common/TestEnvironment.h"

#include <QFile>

#include <unicode/ucnv.h>
#include <zlib.h>

#include <stdexcept>

namespace PostalTestFiles {

QString kenAllText()
{
    return QStringLiteral(
        "13101,\"100  "
        "\",\"1000000\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ\",\"東京都\",\"千代田区\",\"以下に掲載がない場合\",0,0,"
        "0,0,0,0\r\n"
        "13101,\"100  \",\"1000001\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ﾁﾖﾀﾞ\",\"東京都\",\"千代田区\",\"千代田\",0,0,0,0,0,0\r\n"
        "13101,\"101  \",\"1010021\",\"ﾄｳｷｮｳﾄ\",\"ﾁﾖﾀﾞｸ\",\"ｿﾄｶﾝﾀﾞ\",\"東京都\",\"千代田区\",\"外神田\",0,0,1,0,0,0\r\n"
        "13102,\"103  \",\"1030027\",\"ﾄｳｷｮｳﾄ\",\"ﾁｭｳｵｳｸ\",\"ﾆﾎﾝﾊﾞｼ\",\"東京都\",\"中央区\",\"日本橋\",0,0,1,0,0,0\r\n"
        "27128,\"540  "
        "\",\"5400002\",\"ｵｵｻｶﾌ\",\"ｵｵｻｶｼﾁｭｳｵｳｸ\",\"ｵｵｻｶｼﾞｮｳ\",\"大阪府\",\"大阪市中央区\",\"大阪城\",0,0,0,0,0,0\r\n"
        "01101,\"060  "
        "\",\"0600000\",\"ﾎｯｶｲﾄﾞｳ\",\"ｻｯﾎﾟﾛｼﾁｭｳｵｳｸ\",\"ｲｶﾆｹｲｻｲｶﾞﾅｲﾊﾞｱｲ\",\"北海道\",\"札幌市中央区\","
        "\"以下に掲載がない場合\",0,0,0,0,0,0\r\n");
}

QString jigyosyoText()
{
    return QStringLiteral("13101,\"ﾆﾂﾎﾟﾝﾕｳｾｲ "
                          "ｶﾌﾞｼｷｶﾞｲｼｬ\",\"日本郵政　株式会社\",\"東京都\",\"千代田区\",\"大手町\",\"２丁目３－１\","
                          "\"1008791\",\"100  \",\"銀座\",0,0,0\r\n"
                          "13101,\"ｼﾞｮｳﾁﾀﾞｲｶﾞｸ\",\"上智大学\",\"東京都\",\"千代田区\",\"紀尾井町\",\"７－１\","
                          "\"1028554\",\"102  \",\"麹町\",0,0,0\r\n"
                          "27128,\"\",\"大阪城天守閣\",\"大阪府\",\"大阪市中央区\",\"\",\"大阪城１－１\",\"5408799\","
                          "\"540  \",\"大阪東\",0,0,0\r\n");
}

QByteArray encodeWindows31J(const QString &text)
{
    UErrorCode error = U_ZERO_ERROR;
    UConverter *converter = ucnv_open("windows-31j", &error);
    QByteArray bytes(text.size() * 2 + 16, Qt::Uninitialized);
    const int32_t length = ucnv_fromUChars(converter, bytes.data(), int32_t(bytes.size()),
        reinterpret_cast<const UChar *>(text.utf16()), int32_t(text.size()), &error);
    ucnv_close(converter);
    if (U_FAILURE(error)) {
        throw std::runtime_error(u_errorName(error));
    }
    bytes.truncate(length);
    return bytes;
}

QByteArray compress(const QByteArray &data, Stream stream)
{
    z_stream deflater{};
    // Window bits 15 write a zlib header, 15 + 16 a gzip header.
    const int windowBits = stream == Stream::Gzip ? 15 + 16 : 15;
    if (deflateInit2(&deflater, 9, Z_DEFLATED, windowBits, 8, Z_DEFAULT_STRATEGY) != Z_OK) {
        throw std::runtime_error("deflateInit2");
    }
    QByteArray out(qsizetype(deflateBound(&deflater, uLong(data.size()))) + 32, Qt::Uninitialized);
    deflater.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
    deflater.avail_in = uInt(data.size());
    deflater.next_out = reinterpret_cast<Bytef *>(out.data());
    deflater.avail_out = uInt(out.size());
    const int status = deflate(&deflater, Z_FINISH);
    deflateEnd(&deflater);
    if (status != Z_STREAM_END) {
        throw std::runtime_error("deflate");
    }
    out.truncate(qsizetype(deflater.total_out));
    return out;
}

QString writeFile(const QString &folder, const QString &name, const QByteArray &data)
{
    const QString path = folder + u'/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        throw std::runtime_error("can't write " + path.toStdString());
    }
    return path;
}

QString writeTables(const QString &folderName)
{
    const QString folder = TestEnvironment::makeScratchFolder(folderName);
    (void)writeFile(folder, QStringLiteral("ken_all.gzip"), compress(encodeWindows31J(kenAllText()), Stream::Gzip));
    (void)writeFile(folder, QStringLiteral("jigyosyo.gzip"), compress(encodeWindows31J(jigyosyoText()), Stream::Gzip));
    return folder;
}

} // namespace PostalTestFiles
