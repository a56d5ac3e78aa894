#pragma once

#include <QString>

// A postal code as typed, made ready for the postal tables.
namespace ZipInput {

// An input method types "１００－０００１"; the tables hold ASCII digits.
[[nodiscard]] inline QString forLookup(const QString &typed)
{
    return typed.normalized(QString::NormalizationForm_KC);
}

} // namespace ZipInput
