#pragma once

// While the program waits for a database server longer than a moment, the
// pointer shows that it is busy. Set once, after the application is made.
void showBusyPointerWhileServerWaits();
