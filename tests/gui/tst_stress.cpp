// A long seeded run of random user actions on the real window: slider moves
// and keys, random text and Return in every field, the seven display
// switches, the menu commands that open no dialog (display mode, planes,
// examples, reset) by action and by shortcut, wheel steps and drags with
// both buttons on the view. Nothing may crash, no dialog may open, and at
// regular points and at the end the table, the message, the sliders, the
// switches and the check marks must agree with the view's state.
//
// STRESS_GRAINE and STRESS_ACTIONS in the environment replace the seed and
// the number of actions (to replay or lengthen a run).
#include "FenetreTest.h"
#include "conversion/GenreCyclide.h"
#include "fenetre/FenPrincipale.h"
#include "fenetre/OutilsFenetre.h"
#include "fenetre/glwidget.h"
#include "noyau/Constantes.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSlider>
#include <QWheelEvent>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <random>

using namespace cyclide;

namespace {

const unsigned GRAINE_PAR_DEFAUT = 20261207u;
const int ACTIONS_PAR_DEFAUT = 3000;
// Actions between two full consistency checks.
const int PERIODE_VERIFICATION = 100;
// Actions between two returns to the event loop (and so two paints).
const int PERIODE_AFFICHAGE = 5;

const char* const NOMS_CURSEURS[4] = {"theta00Slider", "theta02Slider", "theta20Slider",
                                      "theta22Slider"};
const char* const NOMS_CHAMPS[7] = {"theta00Valeur", "theta02Valeur", "theta20Valeur",
                                    "theta22Valeur", "rayonValeur",   "z11Valeur",
                                    "P10Valeur"};
const char* const NOMS_CASES[7] = {
    "afficheCarreauBox", "afficheBordBox",    "afficheCarreauBoxNew",    "afficheBordBoxNew",
    "affichePolyBoxNew", "afficheCyclideBox", "afficheCarreauCyclideBox"};

// Whether a slider position fits an angle the view stores in radians: the
// view's whole degrees held within the slider's range, rounded (the angle
// came from the slider or a whole-degree setter) or truncated toward zero
// (the start-up angles, which the slider was built from).
bool positionCompatible(int position, double radians) {
    const double degres = radians * 360 / DEUX_PI;
    const auto borne = [](double d) { return static_cast<int>(std::clamp(d, -180.0, 180.0)); };
    return position == borne(std::round(degres)) || position == borne(std::trunc(degres));
}

// What the run does, drawn with these weights.
enum Genre {
    CurseurValeur,
    CurseurTouche,
    Saisie,
    Interrupteur,
    ModeParAction,
    ModeParTouche,
    Plan,
    Exemple,
    RemiseParAction,
    RemiseParTouche,
    Molette,
    Glisser,
    NombreGenres
};
const int POIDS[NombreGenres] = {16, 8, 24, 24, 6, 6, 6, 2, 1, 1, 28, 28};
const char* const NOMS_GENRES[NombreGenres] = {
    "curseur", "touche curseur", "saisie",          "interrupteur", "mode (action)", "mode (P)",
    "plan",    "exemple",        "remise (action)", "remise (R)",   "molette",       "glisser"};

class Stress {
  public:
    Stress(FenetreTest& f, unsigned graine)
        : f(f), vue(*enfant<GLWidget>(f, QStringLiteral("glWidget"))), alea(graine) {
        // Runs after the window's own refresh: remembers the type the
        // message was last built from.
        QObject::connect(&vue, &GLWidget::miseAJour, &contexte, [this] { rafraichi(); });
        rafraichi();
    }

    // One random action; false when the chosen one is not available (the
    // parameter panel is hidden), so that the caller draws again.
    bool action();
    // The consistency checks; an empty string when everything agrees.
    QString incoherence() const;

    int compte[NombreGenres] = {};
    qint64 duree[NombreGenres] = {};
    QStringList journal;

  private:
    int entier(int min, int max) { return std::uniform_int_distribution<int>(min, max)(alea); }
    double reel(double min, double max) {
        return std::uniform_real_distribution<double>(min, max)(alea);
    }
    Genre genre();
    QString texteAleatoire();
    void noter(const QString& texte);
    void rafraichi();
    void touche(Qt::Key cle, Qt::KeyboardModifiers modificateurs = Qt::NoModifier);
    void commander(bool parTouche, Qt::Key cle, const char* action,
                   Qt::KeyboardModifiers modificateurs = Qt::NoModifier);

    void deplacerCurseur();
    void toucheCurseur();
    void saisir();
    void basculer();
    void changerMode(bool parTouche);
    void choisirPlan();
    void chargerExemple();
    void remettreAZero(bool parTouche);
    void tournerMolette();
    void glisser();

    bool panneauVisible() const {
        return enfant<QSlider>(f, QStringLiteral("theta00Slider"))->isEnabled();
    }

    FenetreTest& f;
    GLWidget& vue;
    // Ends the connection to the view with the run.
    QObject contexte;
    std::mt19937 alea;
    GenreCyclide typeAffiche = GenreCyclide::Aucune;
    bool planEnAttente = false;
    int modeAttendu = 0;
    int premierTour = 0;
};

void Stress::rafraichi() {
    typeAffiche = vue.typeCyclide;
    planEnAttente = false;
}

void Stress::noter(const QString& texte) {
    journal << texte;
    if (journal.size() > 25) {
        journal.removeFirst();
    }
}

Genre Stress::genre() {
    int total = 0;
    for (int p : POIDS) {
        total += p;
    }
    int tirage = entier(0, total - 1);
    for (int g = 0; g < NombreGenres; ++g) {
        if (tirage < POIDS[g]) {
            return Genre(g);
        }
        tirage -= POIDS[g];
    }
    return Saisie;
}

// Text a user might type: ordinary and integer numbers, huge and tiny ones,
// overflowing exponents, NaN and infinities in several spellings, letters,
// nothing, blanks, malformed numbers and long digit strings.
QString Stress::texteAleatoire() {
    static const char* const speciaux[] = {
        "1e300",      "-1e300",      "1e308",      "1.7976931348623157e308",
        "1e309",      "-1e400",      "4.9e-324",   "1e-320",
        "nan",        "NaN",         "-nan",       "inf",
        "-inf",       "Infinity",    "INF",        "",
        " ",          "12abc",       " 3 ",        "1,5",
        "0x1A",       "--1",         "+.5",        ".",
        "-",          "e5",          "0",          "-0",
        "2147483647", "-2147483648", "2147483648", "1e10",
        "3.14159",    "-7.982"};
    switch (entier(0, 5)) {
    case 0:
        return QString::number(reel(-10, 10), 'g', entier(1, 17));
    case 1:
        return QString::number(entier(-1000, 1000));
    case 2: {
        QString lettres;
        const int n = entier(1, 8);
        for (int i = 0; i < n; ++i) {
            lettres += QChar(entier(0, 1) ? 'a' + entier(0, 25) : 'A' + entier(0, 25));
        }
        return lettres;
    }
    case 3: {
        QString chiffres = entier(0, 1) ? QStringLiteral("-") : QString();
        const int n = entier(20, 60);
        for (int i = 0; i < n; ++i) {
            chiffres += QChar('0' + entier(0, 9));
        }
        return chiffres;
    }
    default:
        return QString::fromLatin1(speciaux[entier(0, int(std::size(speciaux)) - 1)]);
    }
}

// A key pressed on the window itself with no text field holding the focus,
// so that a one-letter shortcut reaches its action.
void Stress::touche(Qt::Key cle, Qt::KeyboardModifiers modificateurs) {
    QWidget* focus = QApplication::focusWidget();
    if (qobject_cast<QLineEdit*>(focus) != nullptr) {
        focus->clearFocus();
    }
    QTest::keyClick(&f, cle, modificateurs);
}

// An Edition command, by its shortcut key or by its menu entry.
void Stress::commander(bool parTouche, Qt::Key cle, const char* action,
                       Qt::KeyboardModifiers modificateurs) {
    QAction* entree = enfant<QAction>(f, QString::fromLatin1(action));
    noter(parTouche ? QStringLiteral("touche ") + QKeySequence(cle).toString() : entree->text());
    if (parTouche) {
        touche(cle, modificateurs);
    } else {
        entree->trigger();
    }
}

void Stress::deplacerCurseur() {
    QSlider* curseur = enfant<QSlider>(f, QString::fromLatin1(NOMS_CURSEURS[entier(0, 3)]));
    const int valeur = entier(0, 9) == 0 ? entier(-1000, 1000) : entier(-180, 180);
    noter(QStringLiteral("%1 <- %2").arg(curseur->objectName()).arg(valeur));
    curseur->setValue(valeur);
}

void Stress::toucheCurseur() {
    static const Qt::Key touches[] = {Qt::Key_Left,   Qt::Key_Right,    Qt::Key_Up,   Qt::Key_Down,
                                      Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};
    QSlider* curseur = enfant<QSlider>(f, QString::fromLatin1(NOMS_CURSEURS[entier(0, 3)]));
    const Qt::Key cle = touches[entier(0, int(std::size(touches)) - 1)];
    noter(QStringLiteral("%1 touche %2").arg(curseur->objectName()).arg(int(cle), 0, 16));
    QTest::keyClick(curseur, cle);
}

// Replaces a field's text with random text and presses Return.
void Stress::saisir() {
    QLineEdit* champ = enfant<QLineEdit>(f, QString::fromLatin1(NOMS_CHAMPS[entier(0, 6)]));
    const QString texte = texteAleatoire();
    noter(QStringLiteral("%1 <- \"%2\" + Retour").arg(champ->objectName(), texte));
    champ->selectAll();
    champ->del();
    QTest::keyClicks(champ, texte);
    QTest::keyClick(champ, Qt::Key_Return);
}

void Stress::basculer() {
    QCheckBox* boite = enfant<QCheckBox>(f, QString::fromLatin1(NOMS_CASES[entier(0, 6)]));
    noter(QStringLiteral("clic %1").arg(boite->objectName()));
    QTest::mouseClick(boite, Qt::LeftButton);
}

void Stress::changerMode(bool parTouche) {
    commander(parTouche, Qt::Key_P, "actionModeAffichage");
    modeAttendu = (modeAttendu + 1) % 3;
}

// The plane commands rebuild without refreshing the table and the message:
// until the next refresh the message may show the type of before.
void Stress::choisirPlan() {
    const bool y = entier(0, 1) == 1;
    noter(y ? QStringLiteral("Plan Py") : QStringLiteral("Plan Pz"));
    enfant<QAction>(f, y ? QStringLiteral("actionChoixY") : QStringLiteral("actionChoixZ"))
        ->trigger();
    planEnAttente = true;
}

// An example refreshes the table and the message directly, not through the
// view's signal.
void Stress::chargerExemple() {
    const int numero = entier(1, 3);
    noter(QStringLiteral("Exemple%1").arg(numero));
    enfant<QAction>(f, QStringLiteral("actionExemple%1").arg(numero))->trigger();
    rafraichi();
}

void Stress::remettreAZero(bool parTouche) {
    commander(parTouche, Qt::Key_R, "actionResetProg", Qt::ControlModifier);
    modeAttendu = 0;
}

void Stress::tournerMolette() {
    static const int pas[] = {120, -120, 240, -240, 15, -15, 0};
    const int delta = pas[entier(0, int(std::size(pas)) - 1)];
    const QPointF ici(entier(0, vue.width() - 1), entier(0, vue.height() - 1));
    noter(QStringLiteral("molette %1").arg(delta));
    QWheelEvent molette(ici, vue.mapToGlobal(ici), QPoint(), QPoint(0, delta), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&vue, &molette);
}

// Press, a few moves and release with the left or the right button.
void Stress::glisser() {
    const Qt::MouseButton bouton = entier(0, 1) ? Qt::LeftButton : Qt::RightButton;
    QPointF ici(entier(0, vue.width() - 1), entier(0, vue.height() - 1));
    const int mouvements = entier(1, 6);
    noter(QStringLiteral("glisser %1 x%2")
              .arg(bouton == Qt::LeftButton ? "gauche" : "droit")
              .arg(mouvements));
    QMouseEvent appui(QEvent::MouseButtonPress, ici, vue.mapToGlobal(ici), bouton, bouton,
                      Qt::NoModifier);
    QApplication::sendEvent(&vue, &appui);
    for (int m = 0; m < mouvements; ++m) {
        ici += QPointF(entier(-60, 60), entier(-60, 60));
        QMouseEvent mouvement(QEvent::MouseMove, ici, vue.mapToGlobal(ici), Qt::NoButton, bouton,
                              Qt::NoModifier);
        QApplication::sendEvent(&vue, &mouvement);
    }
    QMouseEvent relache(QEvent::MouseButtonRelease, ici, vue.mapToGlobal(ici), bouton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(&vue, &relache);
}

// The first actions take every kind once, in order, so that even a short
// run covers them all; the rest are drawn at random.
bool Stress::action() {
    const Genre g = premierTour < NombreGenres ? Genre(premierTour) : genre();
    const bool surLePanneau = g == CurseurValeur || g == CurseurTouche || g == Saisie;
    if (surLePanneau && !panneauVisible()) {
        return false;
    }
    QElapsedTimer chrono;
    chrono.start();
    switch (g) {
    case CurseurValeur:
        deplacerCurseur();
        break;
    case CurseurTouche:
        toucheCurseur();
        break;
    case Saisie:
        saisir();
        break;
    case Interrupteur:
        basculer();
        break;
    case ModeParAction:
        changerMode(false);
        break;
    case ModeParTouche:
        changerMode(true);
        break;
    case Plan:
        choisirPlan();
        break;
    case Exemple:
        chargerExemple();
        break;
    case RemiseParAction:
        remettreAZero(false);
        break;
    case RemiseParTouche:
        remettreAZero(true);
        break;
    case Molette:
        tournerMolette();
        break;
    case Glisser:
        glisser();
        break;
    case NombreGenres:
        break;
    }
    ++compte[g];
    duree[g] += chrono.elapsed();
    premierTour = std::max(premierTour, g + 1);
    return true;
}

// Table: Bez's points and weights; message: the type of the last refresh,
// which is the view's own unless a plane command came after it; sliders:
// the view's angles; switches, plane marks, panel and mode: the view's and
// the window's state.
QString Stress::incoherence() const {
    const RBBPd bez = vue.getBez();
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            const int k = 3 * i + j;
            const Point p = bez.getP(i, j);
            const double attendus[4] = {p.abs(), p.ord(), p.cote(), bez.getW(i, j)};
            for (int c = 0; c < 4; ++c) {
                const QString texte =
                    enfant<QLineEdit>(f, QStringLiteral("pointValeur_%1_%2").arg(k).arg(c))->text();
                if (texte != texteCellule(attendus[c])) {
                    return QStringLiteral("cellule %1,%2 : \"%3\" au lieu de \"%4\"")
                        .arg(k)
                        .arg(c)
                        .arg(texte, texteCellule(attendus[c]));
                }
            }
        }
    }
    const QString message = enfant<QLabel>(f, QStringLiteral("informations"))->text();
    // Code 0 adds the verdict's reason after the message.
    const QString attendu = QString::fromLatin1(messageCyclide(typeAffiche));
    if (message != attendu && !(!estCyclide(typeAffiche) && message.startsWith(attendu + " : "))) {
        return QStringLiteral("message \"%1\", type affiche %2")
            .arg(message)
            .arg(codeGenre(typeAffiche));
    }
    if (!planEnAttente && typeAffiche != vue.typeCyclide) {
        return QStringLiteral("message du type %1, la vue a le type %2")
            .arg(codeGenre(typeAffiche))
            .arg(codeGenre(vue.typeCyclide));
    }
    const double angles[4] = {vue.getTheta00(), vue.getTheta02(), vue.getTheta20(),
                              vue.getTheta22()};
    for (int n = 0; n < 4; ++n) {
        const int valeur = enfant<QSlider>(f, QString::fromLatin1(NOMS_CURSEURS[n]))->value();
        if (!positionCompatible(valeur, angles[n])) {
            return QStringLiteral("%1 a %2, angle de la vue %3")
                .arg(QString::fromLatin1(NOMS_CURSEURS[n]))
                .arg(valeur)
                .arg(angles[n], 0, 'g', 17);
        }
    }
    for (int n = 0; n < 7; ++n) {
        const bool coche = enfant<QCheckBox>(f, QString::fromLatin1(NOMS_CASES[n]))->isChecked();
        if (coche != (vue.afficheListe(n + 1) != 0)) {
            return QStringLiteral("case %1 : cochee %2, liste %3")
                .arg(n + 1)
                .arg(coche)
                .arg(vue.afficheListe(n + 1));
        }
    }
    const bool y = enfant<QAction>(f, QStringLiteral("actionChoixY"))->isChecked();
    const bool z = enfant<QAction>(f, QStringLiteral("actionChoixZ"))->isChecked();
    if (y == z || z != (vue.choix == PlanConversion::Pz)) {
        return QStringLiteral("plans Py %1 Pz %2, choix %3")
            .arg(y)
            .arg(z)
            .arg(choixPlan(vue.choix));
    }
    if (panneauVisible() != (vue.exemple == 0)) {
        return QStringLiteral("panneau visible %1, exemple %2")
            .arg(panneauVisible())
            .arg(vue.exemple);
    }
    if (f.getMode() != modeAttendu) {
        return QStringLiteral("mode %1 au lieu de %2").arg(f.getMode()).arg(modeAttendu);
    }
    for (int r : {vue.xRotation(), vue.yRotation(), vue.zRotation()}) {
        if (r < 0 || r > 5760) {
            return QStringLiteral("rotation %1 hors de [0, 5760]").arg(r);
        }
    }
    if (!(vue.Scal > 0) || !std::isfinite(vue.Scal)) {
        return QStringLiteral("zoom %1").arg(vue.Scal);
    }
    if (!f.dialogues.isEmpty() || !f.informations.isEmpty() || !f.avertissements.isEmpty()) {
        return QStringLiteral("%1 dialogue(s) de fichier, %2 message(s)")
            .arg(f.dialogues.size())
            .arg(f.informations.size() + f.avertissements.size());
    }
    return QString();
}

unsigned nombreEnvironnement(const char* nom, unsigned parDefaut) {
    bool ok = false;
    const unsigned valeur = qEnvironmentVariable(nom).toUInt(&ok);
    return ok ? valeur : parDefaut;
}

} // namespace

class TestStress : public QObject {
    Q_OBJECT

  private slots:
    void actionsAleatoires();
};

void TestStress::actionsAleatoires() {
    const unsigned graine = nombreEnvironnement("STRESS_GRAINE", GRAINE_PAR_DEFAUT);
    const int actions = int(nombreEnvironnement("STRESS_ACTIONS", ACTIONS_PAR_DEFAUT));
    FenetreTest f;
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));
    GLWidget* vue = enfant<GLWidget>(f, QStringLiteral("glWidget"));
    vue->grabFramebuffer();
    QVERIFY(vue->isValid());

    Stress stress(f, graine);
    QCOMPARE(stress.incoherence(), QString());
    QElapsedTimer chrono;
    chrono.start();
    int faites = 0;
    while (faites < actions) {
        if (!stress.action()) {
            continue;
        }
        ++faites;
        // Lets the window paint what the last actions asked for; a few
        // actions between paints keep the run short under software
        // rendering.
        if (faites % PERIODE_AFFICHAGE == 0) {
            QCoreApplication::processEvents();
        }
        if (faites % PERIODE_VERIFICATION == 0 || faites == actions) {
            const QString ecart = stress.incoherence();
            QVERIFY2(ecart.isEmpty(),
                     qPrintable(QStringLiteral("graine %1, apres l'action %2 : %3\n%4")
                                    .arg(graine)
                                    .arg(faites)
                                    .arg(ecart, stress.journal.join('\n'))));
            const QImage image = vue->grabFramebuffer();
            QVERIFY(!image.isNull());
            QCOMPARE(image.size(), vue->size() * vue->devicePixelRatio());
        }
    }
    const qint64 duree = chrono.elapsed();

    QStringList repartition;
    for (int g = 0; g < NombreGenres; ++g) {
        // Every kind of action was drawn at least once.
        QVERIFY2(stress.compte[g] > 0, NOMS_GENRES[g]);
        repartition << QStringLiteral("%1 %2 (%3 ms)")
                           .arg(QString::fromLatin1(NOMS_GENRES[g]))
                           .arg(stress.compte[g])
                           .arg(stress.duree[g]);
    }
    qInfo("%d actions (graine %u) en %.1f s : %s", actions, graine, duree / 1000.0,
          qPrintable(repartition.join(", ")));
}

int main(int argc, char* argv[]) {
    installerFormatVue();
    QApplication application(argc, argv);
    TestStress test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_stress.moc"
