#pragma once

#include <QList>
#include <QString>

#include <optional>

// Styled text of an address list: plain text with runs that set the colour
// of label words and the indent of the paragraphs they begin. A paragraph
// (a line: list text never wraps) takes the indent of the run its first
// character belongs to, 0 when that run sets none, so a value appended to a
// heading's line stands on the heading's indent.
class ListRowText {
public:
    struct Line {
        QString text;
        double indent = 0;
        // The label words of the line, as (start, length) in its text.
        QList<std::pair<qsizetype, qsizetype>> labelWords;
    };

    void append(const QString &text, std::optional<double> indent = {}, bool labelWord = false);
    void append(const ListRowText &other);
    // Drops the last character (a row's closing line break).
    void chop();

    [[nodiscard]] const QString &text() const { return m_text; }
    [[nodiscard]] bool isEmpty() const { return m_text.isEmpty(); }
    // The text's lines; "" has none.
    [[nodiscard]] QList<Line> lines() const;
    [[nodiscard]] qsizetype lineCount() const { return m_text.isEmpty() ? 0 : m_text.count(u'\n') + 1; }

private:
    struct Run {
        qsizetype start = 0;
        qsizetype length = 0;
        std::optional<double> indent;
        bool labelWord = false;
    };
    QString m_text;
    QList<Run> m_runs;
};
