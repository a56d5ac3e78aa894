#pragma once

#include <QByteArray>
#include <QHash>
#include <QMimeData>
#include <QPointer>
#include <QStringList>

#include <functional>

// The data of a drag that starts in one of the application's views. It
// names the view it came from, so that a receiver tells its own rows, rows
// of another window and data from other programs apart: an in-process drop
// delivers this very object, while a drag from another program arrives as
// a plain QMimeData.
//
// Types that are costly to make (vCard text, a file) are made when a
// receiver first asks for them, once.
class DraggingMimeData : public QMimeData {
    Q_OBJECT

public:
    using Provider = std::function<QByteArray()>;

    explicit DraggingMimeData(QObject *draggingSource);

    // The view the drag started in; null once it is gone.
    [[nodiscard]] QObject *draggingSource() const { return m_draggingSource; }
    // The type's data is made by the provider on first request.
    void setProvider(const QString &mimeType, Provider provider);

    // Whether the data comes from a view of this application.
    [[nodiscard]] static bool isFromApplication(const QMimeData *data);
    // The view the data names as its source; null for data from outside or
    // from a view that is gone.
    [[nodiscard]] static QObject *sourceOf(const QMimeData *data);

    [[nodiscard]] QStringList formats() const override;
    [[nodiscard]] bool hasFormat(const QString &mimeType) const override;

protected:
    [[nodiscard]] QVariant retrieveData(const QString &mimeType, QMetaType type) const override;

private:
    QPointer<QObject> m_draggingSource;
    // In the order set; a provider is dropped once its data is made.
    QStringList m_providedTypes;
    mutable QHash<QString, Provider> m_providers;
};
