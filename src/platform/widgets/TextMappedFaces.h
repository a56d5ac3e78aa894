#pragma once

#include <QHash>
#include <QList>
#include <QRawFont>

#include <memory>

// Copies of faces in which each glyph drawn stands for the one character it
// was drawn for. Qt's PDF writer names a glyph by the first character the
// face's own character map leads to it from, so a vertical form comes out as
// no text at all and an ideograph that shares its glyph with a radical (高
// and ⾼) as the radical. Drawn from such a copy, whose character map holds
// exactly the pairs drawn, every glyph reads back as its character. The
// copies are registered with the font database for as long as this object
// lives, since the writer embeds only faces the database knows; keep it until
// the PDF is finished. Main thread only.
class TextMappedFaces {
public:
    TextMappedFaces();
    ~TextMappedFaces();
    TextMappedFaces(const TextMappedFaces &) = delete;
    TextMappedFaces &operator=(const TextMappedFaces &) = delete;

    // Notes that the face's glyph is drawn for the character. Glyph 0, the
    // missing-glyph box, and character 0 (none known) are left alone.
    void add(const QRawFont &font, quint32 glyph, char32_t character);
    // Makes and registers the copies for everything added.
    void build();

    struct Mapped {
        QRawFont font; // at the size of the font asked with
        quint32 glyph = 0;
    };
    // Where the glyph, drawn for the character in a font of any size, is
    // drawn from instead: the copy's glyph at the font's size; the font and
    // glyph themselves when there is no copy for them.
    [[nodiscard]] Mapped mapped(const QRawFont &font, quint32 glyph, char32_t character);

    // The number of copies made.
    [[nodiscard]] int copyCount() const;

private:
    struct Face;
    Face &faceOf(const QRawFont &font);

    QHash<QRawFont, Face *> m_faceOfFont;
    QList<std::shared_ptr<Face>> m_faces;
    QList<int> m_registered;
};
