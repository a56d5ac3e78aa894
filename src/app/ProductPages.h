#pragma once

#include <QString>

class QUrl;

// Where the Help menu and the About panel send the user. Placeholders until
// the product has pages of its own: the addresses are reserved for examples
// and open nothing real.
namespace ProductPages {

inline const QString help = QStringLiteral("https://quillmark.example.org/help/");
inline const QString helpJapanese = QStringLiteral("https://quillmark.example.org/ja/help/");
inline const QString privacyPolicy = QStringLiteral("https://quillmark.example.org/privacy/");
inline const QString privacyPolicyJapanese = QStringLiteral("https://quillmark.example.org/ja/privacy/");
inline const QString maker = QStringLiteral("https://quillmark.example.org/");
inline const QString supportMailAddress = QStringLiteral("support@quillmark.example.org");

// Opens the address on the desktop; a failure (no handler takes it) is logged.
bool open(const QUrl &url);

} // namespace ProductPages
