// Puts the C library's numbers in a locale whose decimal separator is ','
// (French, built for the test with localedef, as the window runs for a
// French user: the toolkit takes the user's locale), and back to "C" at the
// end of the scope. Readers and writers of numbers must not depend on it.
#ifndef LOCALE_VIRGULE_H
#define LOCALE_VIRGULE_H

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>

class LocaleVirgule {
  public:
    LocaleVirgule() {
        const std::string dossier = ::testing::TempDir() + "locales-virgule";
        std::filesystem::create_directories(dossier);
        const std::string commande =
            "localedef -i fr_FR -f UTF-8 '" + dossier + "/fr_FR.UTF-8' >/dev/null 2>&1";
        if (std::system(commande.c_str()) != 0)
            raison_ = "echec de : " + commande;
        else if (::setenv("LOCPATH", dossier.c_str(), 1) != 0 ||
                 std::setlocale(LC_NUMERIC, "fr_FR.UTF-8") == nullptr)
            raison_ = "locale fr_FR.UTF-8 introuvable dans " + dossier;
        else if (std::string(std::localeconv()->decimal_point) != ",")
            raison_ = "la locale n'a pas la virgule pour separateur";
    }
    ~LocaleVirgule() { std::setlocale(LC_NUMERIC, "C"); }
    LocaleVirgule(const LocaleVirgule&) = delete;
    LocaleVirgule& operator=(const LocaleVirgule&) = delete;

    // Empty when the comma locale is in force; else why it is not.
    const std::string& raison() const { return raison_; }

  private:
    std::string raison_;
};

#endif
