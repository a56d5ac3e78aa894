#include "platform/PackedTexts.h"

#include <algorithm>

void PackedTexts::add(QStringView text)
{
    m_characters.append(text.utf16(), text.size());
    m_ends.append(m_characters.size());
    m_characters.append(u'\0');
}

QVarLengthArray<QString, 8> PackedTexts::take()
{
    QVarLengthArray<QString, 8> texts;
    if (m_ends.isEmpty())
        return texts;
    // The last text's null is the block's own.
    QString block(m_characters.size() - 1, Qt::Uninitialized);
    std::copy_n(m_characters.constData(), block.size(), block.data());
    if (m_ends.size() == 1) {
        texts.append(block);
    } else {
        QString::DataPointer &data = block.data_ptr();
        qsizetype start = 0;
        for (const qsizetype end : std::as_const(m_ends)) {
            // Each text holds a reference to the block, as a copy of it would.
            data.d_ptr()->ref();
            texts.append(QString(QString::DataPointer(data.d_ptr(), data.data() + start, end - start)));
            start = end + 1;
        }
    }
    m_characters.clear();
    m_ends.clear();
    return texts;
}
