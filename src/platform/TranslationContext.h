#pragma once

#include <QCoreApplication>
#include <QString>

// The tr() of code that belongs to no QObject. A file names once the context
// its texts are translated under, keeping the context they always had:
//     constexpr TranslationContext tr{"ContactStore"};
// and then writes tr("...") as a class's own code would.
struct TranslationContext {
    const char *context;

    [[nodiscard]] QString operator()(const char *text) const { return QCoreApplication::translate(context, text); }
};
