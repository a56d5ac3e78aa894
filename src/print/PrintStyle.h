#pragma once

#include <QString>

// The four ways the addresses are printed, as the options and the window
// name them: "Hagaki", "Envelope", "Labels" and "Address List".
enum class PrintStyleKind { Hagaki, Envelope, Labels, AddressList };

namespace PrintStyleName {

inline const QString hagaki = QStringLiteral("Hagaki");
inline const QString envelope = QStringLiteral("Envelope");
inline const QString labels = QStringLiteral("Labels");
inline const QString addressList = QStringLiteral("Address List");

// The style the name stands for; a name of no style prints postcards, as it
// always has.
[[nodiscard]] PrintStyleKind style(const QString &name);

} // namespace PrintStyleName
