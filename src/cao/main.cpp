// cyclide-cao: the reader of CAD files (STEP, IGES) and the IGES writer,
// over Open CASCADE, run by the other programs in a child process under
// time and memory limits (fichiers/LecteurCao.h), so that a file that
// crashes or exhausts the reader never takes them down.
//
//   cyclide-cao --lire FICHIER [--depuis K]
//                                the file's rows on the standard output, in
//                                the protocol of fichiers/LecteurCao.h (from
//                                its face K on: the faces before are counted)
//   cyclide-cao --iges           the surfaces read from the standard input
//                                (sorties/ExportIges.h) as an IGES text;
//                                "surface omise: NOM" lines first
//
// Exit status 0 when done, 1 with the reason on the standard output.
// Open CASCADE's own messages are silenced and its standard output and
// error go to /dev/null: only this program's lines reach the caller.
#include "cao/EcritureIges.h"
#include "cao/LectureCao.h"
#include "fichiers/EcritureFichier.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <new>
#include <unistd.h>

using namespace cyclide;

namespace {

// The descriptor of this program's own lines; 1 and 2 then go to /dev/null.
int garderSortie() {
    const int fd = ::dup(STDOUT_FILENO);
    const int nul = ::open("/dev/null", O_WRONLY);
    if (nul >= 0) {
        ::dup2(nul, STDOUT_FILENO);
        ::dup2(nul, STDERR_FILENO);
        ::close(nul);
    }
    return fd;
}

// Writes a line; ends the process when the caller is gone.
void ecrire(int fd, const std::string& ligne) {
    if (!ecrireTout(fd, ligne + "\n"))
        ::_exit(3);
}

int lire(int fd, const std::string& chemin, int depuis) {
    ecrire(fd, "cyclide-cao 1");
    const Resultat<BilanCao> lu = lireFacesCao(
        chemin, depuis, [fd](const PrecisionCao& p) { ecrire(fd, lignePrecisionCao(p)); },
        [fd](const ElementCao& e) { ecrire(fd, ligneElementCao(e)); },
        [fd](const Resultat<BilanCao>& fin) {
            // The last line, then the end: the file's model is not torn down.
            ecrire(fd,
                   fin.ok() ? "fin " + std::to_string(fin.valeur.faces) : "erreur " + fin.raison);
            ::_exit(0);
        });
    ecrire(fd, lu.ok() ? "fin " + std::to_string(lu.valeur.faces) : "erreur " + lu.raison);
    return 0;
}

int iges(int fd) {
    std::vector<SurfaceNommee> surfaces;
    if (!lireSurfacesIges(std::cin, surfaces)) {
        ecrire(fd, "les surfaces a ecrire en IGES sont illisibles");
        return 1;
    }
    std::vector<std::string> omises;
    const Resultat<std::string> texte = texteIgesSurfaces(surfaces, omises);
    if (!texte.ok()) {
        ecrire(fd, texte.raison);
        return 1;
    }
    for (const std::string& nom : omises)
        ecrire(fd, "surface omise: " + nom);
    if (!ecrireTout(fd, texte.valeur))
        return 3;
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const int fd = garderSortie();
    faireTaireOcct();
    try {
        if (argc == 3 && std::strcmp(argv[1], "--lire") == 0)
            return lire(fd, argv[2], 1);
        if (argc == 5 && std::strcmp(argv[1], "--lire") == 0 &&
            std::strcmp(argv[3], "--depuis") == 0)
            return lire(fd, argv[2], std::max(1, std::atoi(argv[4])));
        if (argc == 2 && std::strcmp(argv[1], "--iges") == 0)
            return iges(fd);
        ecrire(fd, "usage : cyclide-cao --lire FICHIER | --iges");
        return 1;
    } catch (const std::bad_alloc&) {
        ecrire(fd, "erreur memoire insuffisante pour lire le fichier");
        return 0;
    } catch (const std::exception& e) {
        ecrire(fd, std::string("erreur le lecteur CAO a echoue : ") + e.what());
        return 0;
    }
}
