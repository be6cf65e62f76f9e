// The application object of Qt Gui for a program without a window, started
// only on a platform that can start, so that a missing or silent display
// gives a French reason instead of the toolkit's abort.
#ifndef CYCLIDE_RENDU_PLATEFORME_H
#define CYCLIDE_RENDU_PLATEFORME_H

#include "noyau/Resultat.h"

#include <QGuiApplication>

#include <memory>

namespace cyclide {

// Makes sure a graphical application object exists: when there is none,
// chooses the first platform of QT_QPA_PLATFORM (X by default) that can
// start, installs the view's format as the default and creates one in
// application (argc/argv for it).
// Out: success, or the French reason: no display, a display that does not
// answer, an unknown platform, a running application that is not a
// graphical one.
Resultat<void> demarrerApplication(int& argc, char** argv,
                                   std::unique_ptr<QGuiApplication>& application);

} // namespace cyclide

#endif
