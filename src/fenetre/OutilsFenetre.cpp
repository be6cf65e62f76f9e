#include "fenetre/OutilsFenetre.h"

#include "fichiers/FichierParametres.h"
#include "fichiers/NombreTexte.h"

#include <QLineEdit>
#include <QObject>
#include <QPainter>
#include <QStringDecoder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace cyclide {

QLabel* etiquetteCentree(const QString& texte) {
    QLabel* etiquette = new QLabel(texte);
    etiquette->setAlignment(Qt::AlignCenter);
    return etiquette;
}

QString texteDecimal(double valeur) {
    return QString::number(valeur, 'f', 6);
}

void montrerDebut(QLineEdit* champ) {
    QObject::connect(champ, &QLineEdit::textChanged, champ, [champ] {
        if (!champ->isModified()) {
            champ->setCursorPosition(0);
        }
    });
    champ->setCursorPosition(0);
}

void ecrireChamp(QLineEdit* champ, const QString& texte) {
    if (champ->text() != texte.left(champ->maxLength())) {
        champ->setText(texte);
    }
    champ->setCursorPosition(0);
}

int largeurChamp(const QLineEdit& champ, const QString& modele) {
    const QMargins marges = champ.textMargins();
    return champ.fontMetrics().horizontalAdvance(modele) + marges.left() + marges.right() + 12;
}

namespace {

// A typed text in the files' number form: trimmed, a lone decimal comma
// made a point.
QByteArray saisieNormale(const QString& texte) {
    QString t = texte.trimmed();
    if (t.count(QLatin1Char(',')) == 1 && !t.contains(QLatin1Char('.'))) {
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    }
    return t.toUtf8();
}

} // namespace

bool lireSaisie(const QString& texte, double& valeur) {
    const QByteArray octets = saisieNormale(texte);
    return lireNombreDecimal(std::string_view(octets.constData(), octets.size()), valeur);
}

bool saisieHorsLimites(const QString& texte) {
    return nombreHorsLimites(saisieNormale(texte).toStdString());
}

QString texteArrondi(double valeur, int decimales) {
    const QString texte = QString::number(valeur, 'f', decimales);
    const bool zero =
        texte.count(QLatin1Char('0')) + texte.count(QLatin1Char('.')) == texte.size() - 1;
    return texte.startsWith(QLatin1Char('-')) && zero ? texte.mid(1) : texte;
}

QString texteComplet(double valeur) {
    if (!std::isfinite(valeur)) {
        return QObject::tr("non défini");
    }
    return texteExact(valeur == 0 ? 0.0 : valeur);
}

QString texteExact(double valeur) {
    char tampon[64];
    const std::to_chars_result fin = std::to_chars(tampon, tampon + sizeof tampon, valeur);
    return QString::fromLatin1(tampon, static_cast<qsizetype>(fin.ptr - tampon));
}

QString texteCellule(double valeur, QString* bulle) {
    if (!std::isfinite(valeur)) {
        if (bulle != nullptr) {
            *bulle = std::isnan(valeur) ? QObject::tr("Valeur non définie (pas un nombre)")
                                        : QObject::tr("Valeur infinie");
        }
        return QStringLiteral("\u2014");
    }
    if (bulle != nullptr) {
        *bulle = texteComplet(valeur);
    }
    const double absolue = std::fabs(valeur);
    if (valeur == 0) {
        return QStringLiteral("0.0000");
    }
    if (absolue >= 1e5) {
        return QString::number(valeur, 'e', 2);
    }
    const int chiffres =
        std::max(1, static_cast<int>(std::floor(std::log10(std::max(absolue, 1.0)))) + 1);
    const int decimales = std::clamp(6 - chiffres - (valeur < 0 ? 1 : 0), 0, 4);
    return texteArrondi(valeur, decimales);
}

// The core quotes a file's text with every byte that is not printable
// ASCII written \xNN; the bytes from 0x80 up are put back here, so that a
// UTF-8 text shows as the user wrote it (control bytes stay written out).
QByteArray octetsCites(const std::string& cite) {
    QByteArray brut;
    for (std::size_t k = 0; k < cite.size(); ++k) {
        unsigned valeur = 0;
        const char* hex = cite.data() + k + 2;
        if (cite[k] == '\\' && k + 3 < cite.size() && cite[k + 1] == 'x' &&
            std::from_chars(hex, hex + 2, valeur, 16).ptr == hex + 2 && valeur >= 0x80) {
            brut.append(static_cast<char>(valeur));
            k += 3;
        } else {
            brut.append(cite[k]);
        }
    }
    return brut;
}

QString texteFichier(const std::string& octets) {
    const QByteArray brut = octetsCites(octets);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString lu = utf8(brut);
    return utf8.hasError() ? QString::fromLatin1(QByteArray::fromStdString(octets)) : lu;
}

QString texteCoeur(const std::string& message) {
    QString texte;
    std::size_t debut = 0;
    bool cite = false;
    while (debut <= message.size()) {
        std::size_t fin = message.find('\'', debut);
        if (fin == std::string::npos) {
            fin = message.size();
        }
        const std::string morceau = message.substr(debut, fin - debut);
        texte += cite ? texteFichier(morceau)
                      : QString::fromLatin1(morceau.data(), static_cast<qsizetype>(morceau.size()));
        if (fin < message.size()) {
            texte += QLatin1Char('\'');
        }
        cite = !cite;
        debut = fin + 1;
    }
    return texte;
}

EtiquetteElidee::EtiquetteElidee(QWidget* parent) : QLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void EtiquetteElidee::setTexte(const QString& texte, const QString& bulle) {
    setText(texte);
    setToolTip(bulle.isEmpty() ? texte : bulle);
}

QSize EtiquetteElidee::minimumSizeHint() const {
    return QSize(0, fontMetrics().height() + 2 * margin());
}

QSize EtiquetteElidee::sizeHint() const {
    return minimumSizeHint();
}

void EtiquetteElidee::paintEvent(QPaintEvent* /*evenement*/) {
    QPainter peintre(this);
    const QRect zone = contentsRect();
    const QString cut = fontMetrics().elidedText(text(), Qt::ElideRight, zone.width());
    peintre.drawText(zone, static_cast<int>(alignment()), cut);
}

} // namespace cyclide
