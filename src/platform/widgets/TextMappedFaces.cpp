#include "platform/widgets/TextMappedFaces.h"

#include <QFont>
#include <QFontDatabase>
#include <QtEndian>

#include <hb-subset.h>
#include <hb.h>

#include <map>

namespace {

// The tables a face is drawn and embedded from; the rest (shaping, vertical
// metrics, the character map and names, which a copy brings its own of) are
// left out.
constexpr const char *drawingTables[]
    = {"head", "hhea", "maxp", "OS/2", "hmtx", "loca", "glyf", "CFF ", "CFF2", "post", "cvt ", "fpgm", "prep", "gasp"};

hb_tag_t tagOf(const char *name)
{
    return HB_TAG(name[0], name[1], name[2], name[3]);
}

template <typename Number> void append(QByteArray &bytes, Number number)
{
    const Number bigEndian = qToBigEndian(number);
    bytes.append(reinterpret_cast<const char *>(&bigEndian), sizeof bigEndian);
}

void addTable(hb_face_t *builder, hb_tag_t tag, const QByteArray &table)
{
    hb_blob_t *blob = hb_blob_create(
        table.constData(), static_cast<unsigned>(table.size()), HB_MEMORY_MODE_DUPLICATE, nullptr, nullptr);
    hb_face_builder_add_table(builder, tag, blob);
    hb_blob_destroy(blob);
}

// A character map of segmented coverage (format 12), for characters beyond
// 16 bits too, under both Unicode encodings font engines look for.
QByteArray characterMap(const std::map<char32_t, quint32> &glyphOf)
{
    QByteArray table;
    append<quint16>(table, 0); // version
    append<quint16>(table, 2); // encoding records
    constexpr quint32 subtableOffset = 4 + 2 * 8;
    for (const auto &[platform, encoding] : {std::pair<quint16, quint16>{0, 4}, {3, 10}}) {
        append<quint16>(table, platform);
        append<quint16>(table, encoding);
        append<quint32>(table, subtableOffset);
    }
    append<quint16>(table, 12);
    append<quint16>(table, 0);
    append<quint32>(table, quint32(16 + 12 * glyphOf.size()));
    append<quint32>(table, 0); // language
    append<quint32>(table, quint32(glyphOf.size()));
    for (const auto &[character, glyph] : glyphOf) {
        append<quint32>(table, character);
        append<quint32>(table, character);
        append<quint32>(table, glyph);
    }
    return table;
}

QByteArray nameTable(const QString &family, const QString &postScriptName)
{
    const QList<std::pair<quint16, QString>> names{
        {1, family}, {2, QStringLiteral("Regular")}, {4, family}, {6, postScriptName}};
    QByteArray records;
    QByteArray strings;
    for (const auto &[id, text] : names) {
        QByteArray utf16;
        for (const QChar unit : text)
            append<quint16>(utf16, unit.unicode());
        for (const quint16 value :
            {quint16(3), quint16(1), quint16(0x409), id, quint16(utf16.size()), quint16(strings.size())})
            append<quint16>(records, value);
        strings += utf16;
    }
    QByteArray table;
    append<quint16>(table, 0);
    append<quint16>(table, quint16(names.size()));
    append<quint16>(table, quint16(6 + records.size()));
    return table + records + strings;
}

// The face put together from its drawing tables, for the subsetter.
hb_face_t *wholeFace(const QRawFont &font)
{
    hb_face_t *builder = hb_face_builder_create();
    for (const char *name : drawingTables) {
        const QByteArray table = font.fontTable(name);
        if (!table.isEmpty())
            addTable(builder, tagOf(name), table);
    }
    hb_blob_t *blob = hb_face_reference_blob(builder);
    hb_face_destroy(builder);
    hb_face_t *face = hb_face_create(blob, 0);
    hb_blob_destroy(blob);
    return face;
}

// The font data of the face's glyphs alone, with their new indexes.
QByteArray subsetData(hb_face_t *whole, const QList<quint32> &glyphs, QHash<quint32, quint32> &newGlyphOf)
{
    hb_subset_input_t *input = hb_subset_input_create_or_fail();
    if (!input)
        return {};
    hb_set_t *glyphSet = hb_subset_input_glyph_set(input);
    for (const quint32 glyph : glyphs)
        hb_set_add(glyphSet, glyph);
    hb_subset_input_set_flags(input, HB_SUBSET_FLAGS_NO_HINTING);
    hb_subset_plan_t *plan = hb_subset_plan_create_or_fail(whole, input);
    hb_subset_input_destroy(input);
    if (!plan)
        return {};
    QByteArray data;
    if (hb_face_t *subset = hb_subset_plan_execute_or_fail(plan)) {
        const hb_map_t *oldToNew = hb_subset_plan_old_to_new_glyph_mapping(plan);
        for (const quint32 glyph : glyphs) {
            if (hb_map_has(oldToNew, glyph))
                newGlyphOf.insert(glyph, hb_map_get(oldToNew, glyph));
        }
        hb_blob_t *blob = hb_face_reference_blob(subset);
        unsigned int length = 0;
        const char *bytes = hb_blob_get_data(blob, &length);
        data = QByteArray(bytes, length);
        hb_blob_destroy(blob);
        hb_face_destroy(subset);
    }
    hb_subset_plan_destroy(plan);
    return data;
}

// The subset with the character map and names of its own.
QByteArray withMapAndNames(const QByteArray &subset, const QByteArray &characterMap, const QByteArray &names)
{
    hb_blob_t *blob = hb_blob_create(
        subset.constData(), static_cast<unsigned>(subset.size()), HB_MEMORY_MODE_READONLY, nullptr, nullptr);
    hb_face_t *face = hb_face_create(blob, 0);
    hb_blob_destroy(blob);
    hb_face_t *builder = hb_face_builder_create();
    hb_tag_t tags[64];
    unsigned int count = 64;
    hb_face_get_table_tags(face, 0, &count, tags);
    for (unsigned int index = 0; index < count; ++index) {
        if (tags[index] == HB_TAG('c', 'm', 'a', 'p') || tags[index] == HB_TAG('n', 'a', 'm', 'e'))
            continue;
        hb_blob_t *table = hb_face_reference_table(face, tags[index]);
        hb_face_builder_add_table(builder, tags[index], table);
        hb_blob_destroy(table);
    }
    addTable(builder, HB_TAG('c', 'm', 'a', 'p'), characterMap);
    addTable(builder, HB_TAG('n', 'a', 'm', 'e'), names);
    hb_blob_t *built = hb_face_reference_blob(builder);
    unsigned int length = 0;
    const char *bytes = hb_blob_get_data(built, &length);
    QByteArray data(bytes, length);
    hb_blob_destroy(built);
    hb_face_destroy(builder);
    hb_face_destroy(face);
    return data;
}

// One copy of a face: glyphs and characters one to one.
struct Copy {
    QHash<quint32, char32_t> characterOf;
    std::map<char32_t, quint32> glyphOf;
    QRawFont font;
    QHash<quint32, quint32> newGlyphOf;
    QHash<qreal, QRawFont> sized;

    [[nodiscard]] bool takes(quint32 glyph, char32_t character) const
    {
        const auto known = characterOf.constFind(glyph);
        if (known != characterOf.cend())
            return *known == character;
        return glyphOf.find(character) == glyphOf.end();
    }
};

} // namespace

struct TextMappedFaces::Face {
    QRawFont font; // any size of the face
    QByteArray identity;
    QList<Copy> copies;
};

TextMappedFaces::TextMappedFaces() = default;

TextMappedFaces::~TextMappedFaces()
{
    // The copies' engines outlive their registration: each keeps its data.
    m_faceOfFont.clear();
    m_faces.clear();
    for (const int id : std::as_const(m_registered))
        QFontDatabase::removeApplicationFont(id);
}

TextMappedFaces::Face &TextMappedFaces::faceOf(const QRawFont &font)
{
    if (Face *known = m_faceOfFont.value(font))
        return *known;
    // Every size of a face has an engine of its own; the face is known by
    // its names and header.
    const QByteArray identity = font.familyName().toUtf8() + '\0' + font.styleName().toUtf8() + '\0'
        + QByteArray::number(font.weight()) + '\0' + font.fontTable("head");
    for (const std::shared_ptr<Face> &face : std::as_const(m_faces)) {
        if (face->identity == identity) {
            m_faceOfFont.insert(font, face.get());
            return *face;
        }
    }
    m_faces.append(std::make_shared<Face>(Face{font, identity, {}}));
    m_faceOfFont.insert(font, m_faces.last().get());
    return *m_faces.last();
}

void TextMappedFaces::add(const QRawFont &font, quint32 glyph, char32_t character)
{
    if (!font.isValid() || glyph == 0 || character == 0)
        return;
    Face &face = faceOf(font);
    for (Copy &copy : face.copies) {
        if (copy.takes(glyph, character)) {
            copy.characterOf.insert(glyph, character);
            copy.glyphOf.emplace(character, glyph);
            return;
        }
    }
    Copy copy;
    copy.characterOf.insert(glyph, character);
    copy.glyphOf.emplace(character, glyph);
    face.copies.append(std::move(copy));
}

void TextMappedFaces::build()
{
    static int made = 0;
    for (const std::shared_ptr<Face> &face : std::as_const(m_faces)) {
        if (face->copies.isEmpty() || face->font.fontTable("head").isEmpty())
            continue;
        hb_face_t *whole = wholeFace(face->font);
        for (Copy &copy : face->copies) {
            if (copy.font.isValid())
                continue;
            const QByteArray subset = subsetData(whole, copy.characterOf.keys(), copy.newGlyphOf);
            if (subset.isEmpty()) {
                qWarning("%s: ERROR can't copy the glyphs of %s", Q_FUNC_INFO, qPrintable(face->font.familyName()));
                continue;
            }
            std::map<char32_t, quint32> newGlyphs;
            for (const auto &[character, glyph] : copy.glyphOf)
                newGlyphs.emplace(character, copy.newGlyphOf.value(glyph));
            const QString family = face->font.familyName() + QStringLiteral(" T%1").arg(++made);
            QString postScriptName = family;
            postScriptName.remove(u' ');
            const int id = QFontDatabase::addApplicationFontFromData(
                withMapAndNames(subset, characterMap(newGlyphs), nameTable(family, postScriptName)));
            if (id < 0 || !QFontDatabase::applicationFontFamilies(id).contains(family)) {
                qWarning("%s: ERROR can't register a copy of %s", Q_FUNC_INFO, qPrintable(face->font.familyName()));
                if (id >= 0)
                    QFontDatabase::removeApplicationFont(id);
                continue;
            }
            m_registered.append(id);
            QFont font(family);
            font.setStyleStrategy(QFont::NoFontMerging);
            const QRawFont raw = QRawFont::fromFont(font);
            if (raw.familyName() == family)
                copy.font = raw;
        }
        hb_face_destroy(whole);
    }
}

TextMappedFaces::Mapped TextMappedFaces::mapped(const QRawFont &font, quint32 glyph, char32_t character)
{
    if (!font.isValid() || glyph == 0 || character == 0)
        return {font, glyph};
    for (Copy &copy : faceOf(font).copies) {
        if (!copy.font.isValid() || copy.characterOf.value(glyph) != character || !copy.newGlyphOf.contains(glyph))
            continue;
        QRawFont &sized = copy.sized[font.pixelSize()];
        if (!sized.isValid()) {
            sized = copy.font;
            sized.setPixelSize(font.pixelSize());
        }
        return {sized, copy.newGlyphOf.value(glyph)};
    }
    return {font, glyph};
}

int TextMappedFaces::copyCount() const
{
    int count = 0;
    for (const std::shared_ptr<Face> &face : m_faces) {
        for (const Copy &copy : face->copies)
            count += copy.font.isValid() ? 1 : 0;
    }
    return count;
}
