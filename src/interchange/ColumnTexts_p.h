#pragma once

#include <QSet>
#include <QString>

// The texts of one column of a file being read, each held once while the
// column repeats them: the contacts of a large file then share one string for
// the company, street, city or note that many of them have. Sharing across
// all columns at once (RecentStrings) does not reach them there: the phone
// numbers and e-mail addresses of each row take its slots over first.
//
// A column whose first cells seldom come back (phone numbers, e-mail
// addresses) stops being looked up and lets its table go, so that it costs
// neither a table beside the contacts nor a lookup a cell. A column keeps at
// most a few thousand texts; later texts are only looked up.
class ColumnTexts {
public:
    // The cells a column is judged on, and the share of them that must have
    // come before for it to keep being looked up.
    static constexpr qsizetype trialCells = 1024;
    static constexpr qsizetype leastRepeatsPerTrial = trialCells / 4;
    static constexpr qsizetype mostTexts = 4096;

    // The text, or the equal one given before.
    [[nodiscard]] QString shared(const QString &text);
    // Whether texts are still looked up.
    [[nodiscard]] bool isSharing() const { return m_sharing; }

private:
    QSet<QString> m_texts;
    qsizetype m_looked = 0;
    qsizetype m_found = 0;
    bool m_sharing = true;
};
