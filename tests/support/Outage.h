#pragma once

#include "PunchScreen.h"

#include <QList>
#include <QString>
#include <QVariantList>

// What the outage suites share: the worker's words for a kept punch, an End
// Job by the screen, and the rows of a terminal's offline store.
namespace Outage {

// The message a worker reads when his punch is kept at the terminal.
extern const QString keptText;

// The worker ends his job, which pays a bonus, with this many pieces; `kept`
// when the punch will be kept (the worker then closes the message).
void endJob(PunchScreen& punch, const QString& badge, const QString& pieces, bool kept = false);

// The rows of a query on a terminal's offline store, read as another program reads them.
QList<QVariantList> stored(const QString& folder, const QString& sql);

} // namespace Outage
