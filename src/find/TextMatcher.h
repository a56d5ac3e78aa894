#pragma once

#include "model/TextRange.h"

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringMatcher>

// Finds every hit of one search string in a text: literally with or without
// case, or as a regular expression, which is compiled once for all the texts
// a search reads.
class TextMatcher {
public:
    // The compare options the panel stores.
    static constexpr uint CaseInsensitive = 1;
    static constexpr uint CaseSensitive = 0;
    static constexpr uint RegularExpression = 1024;

    TextMatcher(const QString &searchString, uint compareOptions);

    // Hits from the start onwards, each searched from the end of the one
    // before, so none overlap; a hit of no length ends the search.
    [[nodiscard]] QList<TextRange> rangesIn(const QString &text) const;

private:
    [[nodiscard]] TextRange nextHit(const QString &text, qsizetype from) const;

    QString m_searchString;
    // Prepared once: the same text is looked for in every value of every contact.
    QStringMatcher m_literal;
    bool m_regularExpression = false;
    QRegularExpression m_expression;
};
