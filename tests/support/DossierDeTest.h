// A fresh empty directory under the system's temporary directory, removed
// with everything in it (its rights given back first) when it goes.
#ifndef DOSSIER_DE_TEST_H
#define DOSSIER_DE_TEST_H

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class DossierDeTest {
  public:
    explicit DossierDeTest(const std::string& prefixe) {
        std::string modele =
            (std::filesystem::temp_directory_path() / (prefixe + "-XXXXXX")).string();
        if (::mkdtemp(modele.data()) != nullptr)
            chemin_ = modele;
    }
    ~DossierDeTest() {
        if (chemin_.empty())
            return;
        std::error_code ec;
        std::filesystem::permissions(chemin_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(chemin_, ec);
    }
    DossierDeTest(const DossierDeTest&) = delete;
    DossierDeTest& operator=(const DossierDeTest&) = delete;

    // Empty when the directory could not be made.
    const std::filesystem::path& chemin() const { return chemin_; }

  private:
    std::filesystem::path chemin_;
};

#endif
