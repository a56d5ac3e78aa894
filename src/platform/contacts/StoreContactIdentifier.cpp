#include "platform/contacts/StoreContactIdentifier.h"

#include <QRandomGenerator>

#include <array>
#include <random>

namespace {

std::mt19937_64 &threadGenerator()
{
    thread_local std::mt19937_64 generator = [] {
        std::array<quint32, 8> seed{};
        QRandomGenerator::system()->fillRange(seed.data(), qsizetype(seed.size()));
        std::seed_seq sequence(seed.begin(), seed.end());
        return std::mt19937_64(sequence);
    }();
    return generator;
}

} // namespace

QString StoreContactIdentifier::create(LetterCase letterCase)
{
    std::mt19937_64 &generator = threadGenerator();
    std::array<quint8, 16> bytes{};
    for (int half = 0; half < 2; ++half) {
        quint64 word = generator();
        for (int i = 0; i < 8; ++i, word >>= 8)
            bytes[size_t(half * 8 + i)] = quint8(word);
    }
    bytes[6] = quint8((bytes[6] & 0x0F) | 0x40); // version 4: random
    bytes[8] = quint8((bytes[8] & 0x3F) | 0x80); // the RFC 4122 variant

    const char *const digits = letterCase == LetterCase::Upper ? "0123456789ABCDEF" : "0123456789abcdef";
    QString text(36, Qt::Uninitialized);
    QChar *out = text.data();
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            *out++ = u'-';
        *out++ = QLatin1Char(digits[bytes[i] >> 4]);
        *out++ = QLatin1Char(digits[bytes[i] & 0x0F]);
    }
    return text;
}
