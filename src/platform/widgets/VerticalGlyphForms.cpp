#include "platform/widgets/VerticalGlyphForms.h"

#include <QByteArray>
#include <QFont>
#include <QHash>
#include <QMutex>
#include <QString>

#include <hb-ot.h>
#include <hb.h>

#include <algorithm>
#include <memory>

namespace {

// The font HarfBuzz reads a face's tables through while a call runs: the
// caller's, of the same face at whatever size and made in the caller's thread.
// A raw font belongs to the thread that made it, so none is kept past the call.
struct TableSource {
    const QRawFont *font = nullptr;
};

void deleteTable(void *table)
{
    delete static_cast<QByteArray *>(table);
}

// Called once per table a face uses: HarfBuzz keeps what it read for as long
// as the face lives. The blob holds Qt's copy of the table, not a copy of it.
hb_blob_t *referenceTable(hb_face_t *, hb_tag_t tag, void *userData)
{
    const QRawFont *font = static_cast<const TableSource *>(userData)->font;
    if (!font)
        return nullptr;
    const char name[5] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag), 0};
    auto *table = new QByteArray(font->fontTable(name));
    if (table->isEmpty()) {
        delete table;
        return nullptr;
    }
    return hb_blob_create(
        table->constData(), static_cast<unsigned>(table->size()), HB_MEMORY_MODE_READONLY, table, deleteTable);
}

} // namespace

// One face's substitutions, asked for character by character and remembered.
// Every call runs with the caller's font of the face as its table source.
class VerticalGlyphForms::FaceForms {
public:
    explicit FaceForms(const QRawFont &font)
        : m_source(std::make_unique<TableSource>())
    {
        // The font is made with the face's units per em, read from its tables.
        const Reading reading(*this, font);
        m_face = hb_face_create_for_tables(referenceTable, m_source.get(), nullptr);
        m_font = hb_font_create(m_face);
        m_buffer = hb_buffer_create();
        for (const hb_tag_t tag : {HB_TAG('v', 'e', 'r', 't'), HB_TAG('v', 'r', 't', '2')}) {
            if (hasFeature(tag)) {
                m_feature = {tag, 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END};
                m_hasFeature = true;
                break;
            }
        }
        m_hasVerticalVariant
            = m_hasFeature && hasTable(HB_TAG('v', 'h', 'e', 'a')) && hasTable(HB_TAG('v', 'm', 't', 'x'));
    }
    ~FaceForms()
    {
        hb_buffer_destroy(m_buffer);
        hb_font_destroy(m_font);
        hb_face_destroy(m_face);
    }
    FaceForms(const FaceForms &) = delete;
    FaceForms &operator=(const FaceForms &) = delete;

    // Lends the caller's font to HarfBuzz for the length of one call.
    class Reading {
    public:
        Reading(FaceForms &forms, const QRawFont &font)
            : m_source(*forms.m_source)
        {
            m_source.font = &font;
        }
        ~Reading() { m_source.font = nullptr; }
        Reading(const Reading &) = delete;
        Reading &operator=(const Reading &) = delete;

    private:
        TableSource &m_source;
    };

    // Vertical forms and the metrics to set a column by: 'vert' or 'vrt2'
    // substitutions, and 'vhea' and 'vmtx'.
    [[nodiscard]] bool hasVerticalVariant() const { return m_hasVerticalVariant; }

    // The glyph the feature puts in place of the character's glyph; 0 when it
    // changes nothing.
    quint32 substitute(char32_t character)
    {
        if (!m_hasFeature)
            return 0;
        if (const auto known = m_substitutes.constFind(character); known != m_substitutes.cend())
            return *known;
        // Shaped once plainly and once with the feature: what the feature
        // alone changes, whatever the face's other default substitutions do.
        const quint32 plain = shapedGlyph(character, nullptr);
        const quint32 vertical = shapedGlyph(character, &m_feature);
        const quint32 result = vertical != plain ? vertical : 0;
        m_substitutes.insert(character, result);
        return result;
    }

    // The run shaped with the face at its own size: down the column with the
    // vertical forms and metrics, or along its baseline.
    QList<VerticalGlyphForms::ShapedGlyph> shape(QStringView text, bool upright, qreal pixelSize)
    {
        hb_buffer_clear_contents(m_buffer);
        hb_buffer_add_utf16(
            m_buffer, reinterpret_cast<const uint16_t *>(text.utf16()), int(text.size()), 0, int(text.size()));
        hb_buffer_set_direction(m_buffer, upright ? HB_DIRECTION_TTB : HB_DIRECTION_LTR);
        hb_buffer_set_language(m_buffer, hb_language_from_string("ja", -1));
        hb_buffer_guess_segment_properties(m_buffer);
        hb_shape(m_font, m_buffer, upright && m_hasFeature ? &m_feature : nullptr, upright && m_hasFeature ? 1 : 0);
        unsigned int count = 0;
        const hb_glyph_info_t *infos = hb_buffer_get_glyph_infos(m_buffer, &count);
        const hb_glyph_position_t *positions = hb_buffer_get_glyph_positions(m_buffer, &count);
        const double scale = pixelSize / double(std::max(1u, hb_face_get_upem(m_face)));
        QList<VerticalGlyphForms::ShapedGlyph> glyphs;
        glyphs.reserve(count);
        // HarfBuzz measures y upward; pages grow downward.
        for (unsigned int index = 0; index < count; ++index) {
            const hb_glyph_position_t &at = positions[index];
            glyphs.append(
                {infos[index].codepoint, infos[index].cluster, QPointF(at.x_advance * scale, -at.y_advance * scale),
                    QPointF(at.x_offset * scale, -at.y_offset * scale)});
        }
        return glyphs;
    }

private:
    [[nodiscard]] bool hasFeature(hb_tag_t tag) const
    {
        const hb_tag_t features[] = {tag, HB_TAG_NONE};
        hb_set_t *lookups = hb_set_create();
        hb_ot_layout_collect_lookups(m_face, HB_OT_TAG_GSUB, nullptr, nullptr, features, lookups);
        const bool found = !hb_set_is_empty(lookups);
        hb_set_destroy(lookups);
        return found;
    }

    [[nodiscard]] bool hasTable(hb_tag_t tag) const
    {
        hb_blob_t *table = hb_face_reference_table(m_face, tag);
        const bool found = hb_blob_get_length(table) > 0;
        hb_blob_destroy(table);
        return found;
    }

    quint32 shapedGlyph(char32_t character, const hb_feature_t *feature)
    {
        hb_buffer_clear_contents(m_buffer);
        const hb_codepoint_t codepoint = character;
        hb_buffer_add_codepoints(m_buffer, &codepoint, 1, 0, 1);
        hb_buffer_set_direction(m_buffer, HB_DIRECTION_LTR);
        hb_buffer_set_language(m_buffer, hb_language_from_string("ja", -1));
        hb_buffer_guess_segment_properties(m_buffer);
        hb_shape(m_font, m_buffer, feature, feature ? 1 : 0);
        unsigned int count = 0;
        const hb_glyph_info_t *glyphs = hb_buffer_get_glyph_infos(m_buffer, &count);
        return count == 1 ? glyphs[0].codepoint : 0;
    }

    std::unique_ptr<TableSource> m_source;
    hb_face_t *m_face = nullptr;
    hb_font_t *m_font = nullptr;
    hb_buffer_t *m_buffer = nullptr;
    hb_feature_t m_feature{};
    bool m_hasFeature = false;
    bool m_hasVerticalVariant = false;
    QHash<char32_t, quint32> m_substitutes;
};

namespace {

using FaceForms = VerticalGlyphForms::FaceForms;

// A face is known by its names and its 'head' table, whatever size it is
// asked at and whichever thread made the font, so that its tables are read
// once. The stand-in Qt sets characters no installed face covers in has no
// tables, and asking it for its names takes the process down.
struct FaceKey {
    QByteArray head;
    QString family;
    QString style;

    bool operator==(const FaceKey &) const = default;
};

size_t qHash(const FaceKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.head, key.family, key.style);
}

// The font's face; no face (an empty key) for the stand-in.
FaceKey faceKey(const QRawFont &font)
{
    if (!font.isValid())
        return {};
    QByteArray head = font.fontTable("head");
    if (head.isEmpty())
        return {};
    return {std::move(head), font.familyName(), font.styleName()};
}

// The faces drawn are few; callers hold the lock, as pages are laid out on
// the main thread and the list of vertical faces is built on a worker.
QMutex faceMutex;

// Shared: a caller may hold a face's forms past the list's clearing.
const std::shared_ptr<FaceForms> &faceForms(const FaceKey &key, const QRawFont &font)
{
    static QHash<FaceKey, std::shared_ptr<FaceForms>> faces;
    if (faces.size() > 64 && !faces.contains(key))
        faces.clear();
    std::shared_ptr<FaceForms> &forms = faces[key];
    if (!forms)
        forms = std::make_shared<FaceForms>(font);
    return forms;
}

// The caller holds the lock.
quint32 substituteOrSelf(FaceForms &forms, const QRawFont &font, char32_t character, quint32 glyph)
{
    const FaceForms::Reading reading(forms, font);
    const quint32 substitute = forms.substitute(character);
    return substitute != 0 ? substitute : glyph;
}

} // namespace

quint32 VerticalGlyphForms::verticalGlyph(const QRawFont &font, char32_t character, quint32 glyph)
{
    const FaceKey key = faceKey(font);
    if (key.head.isEmpty())
        return glyph;
    const QMutexLocker locker(&faceMutex);
    return substituteOrSelf(*faceForms(key, font), font, character, glyph);
}

VerticalGlyphForms::LastFace::LastFace() = default;
VerticalGlyphForms::LastFace::~LastFace() = default;

quint32 VerticalGlyphForms::LastFace::verticalGlyph(const QRawFont &font, char32_t character, quint32 glyph)
{
    // Fonts compare by the engine that draws them: one face at one size.
    if (!(font == m_font)) {
        m_font = font;
        const FaceKey key = faceKey(font);
        const QMutexLocker locker(&faceMutex);
        m_forms = key.head.isEmpty() ? nullptr : faceForms(key, font);
    }
    if (!m_forms)
        return glyph;
    const QMutexLocker locker(&faceMutex);
    return substituteOrSelf(*m_forms, font, character, glyph);
}

VerticalGlyphForms::Survey VerticalGlyphForms::survey(const QRawFont &font, char32_t character, quint32 glyph)
{
    if (faceKey(font).head.isEmpty())
        return {glyph, false};
    FaceForms forms(font);
    const FaceForms::Reading reading(forms, font);
    const quint32 substitute = forms.substitute(character);
    return {substitute != 0 ? substitute : glyph, forms.hasVerticalVariant()};
}

QList<VerticalGlyphForms::ShapedGlyph> VerticalGlyphForms::shapeRun(
    const QRawFont &font, QStringView text, bool upright)
{
    if (text.isEmpty())
        return {};
    const FaceKey key = faceKey(font);
    if (key.head.isEmpty())
        return {};
    const QMutexLocker locker(&faceMutex);
    FaceForms &forms = *faceForms(key, font);
    const FaceForms::Reading reading(forms, font);
    return forms.shape(text, upright, font.pixelSize());
}

bool VerticalGlyphForms::hasVerticalVariant(const QRawFont &font)
{
    const FaceKey key = faceKey(font);
    if (key.head.isEmpty())
        return false;
    const QMutexLocker locker(&faceMutex);
    return faceForms(key, font)->hasVerticalVariant();
}

bool VerticalGlyphForms::hasVerticalVariant(const QString &family, qreal pointSize)
{
    // The answer belongs to the face the family resolves to: every size of
    // it shares the tables, so the family alone is remembered.
    static QMutex answersMutex;
    static QHash<QString, bool> answers;
    {
        const QMutexLocker locker(&answersMutex);
        if (const auto found = answers.constFind(family); found != answers.cend())
            return *found;
    }
    QFont font(family);
    font.setPointSizeF(pointSize > 0 ? pointSize : 12);
    const bool answer = hasVerticalVariant(QRawFont::fromFont(font));
    const QMutexLocker locker(&answersMutex);
    answers.insert(family, answer);
    return answer;
}
