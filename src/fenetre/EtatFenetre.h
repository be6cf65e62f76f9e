// EtatFenetre: what one step of the window's history holds (the scene's
// input, the seven display switches, the name of the source shown) and the
// undo command that goes from one such state to another.
#ifndef CYCLIDE_FENETRE_ETATFENETRE_H
#define CYCLIDE_FENETRE_ETATFENETRE_H

#include "scene/Scene.h"

#include <QString>
#include <QUndoCommand>

#include <functional>

namespace cyclide {

struct EtatFenetre {
    EntreeScene entree;   // parameters, example, net given directly, plane
    bool affiche[7] = {}; // the display switches of lists 1..7
    QString source;       // the net file or example shown; empty: the parameters
};

// True when the two states show the same thing (inputs bit for bit).
bool memeEtat(const EtatFenetre& a, const EtatFenetre& b);

// One change already made: undo applies the state before, redo the state
// after (the first redo, when the command is pushed, does nothing: the
// change is already on screen).
class CommandeEtat : public QUndoCommand {
  public:
    using Application = std::function<void(const EtatFenetre&)>;
    CommandeEtat(const QString& texte, EtatFenetre avant, EtatFenetre apres, Application appliquer);
    void undo() override;
    void redo() override;

  private:
    EtatFenetre avant;
    EtatFenetre apres;
    Application appliquer;
    bool premiere = true;
};

} // namespace cyclide

#endif
