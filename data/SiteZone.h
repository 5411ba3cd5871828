#pragma once

#include <QTimeZone>

class DatabaseFile;

// The time zone in which a site's terminals write their dates and times, as
// its job-punch database records it: the row TimeZone of SiteSettings, an IANA
// name. `machine` where the database records none (an Access file, a site not
// brought up to date). Raises DataError when the zone recorded is one this
// machine does not know, or the table cannot be read.
QTimeZone siteTimeZone(DatabaseFile& jobPunches, const QTimeZone& machine);
