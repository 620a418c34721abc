#pragma once

#include <QListWidget>
#include <filesystem>
#include <vector>

namespace elencario {

// The folder list: the chain of folders from the root down to the current folder, then the
// current folder's subfolders, each indented by its depth. Opening an entry (double click or
// Enter) makes it the current folder.
class ElencoCartelle final : public QListWidget {
    Q_OBJECT
  public:
    explicit ElencoCartelle(QWidget* genitore);

    // Makes `cartella` current; cartellaCambiata is raised before this returns. False, with
    // nothing changed, when the folder cannot be read.
    bool ImpostaCartella(const std::filesystem::path& cartella);
    // Lists the current folder's subfolders again after a change on the disk, keeping the
    // cursor on its folder; false, with nothing changed, when the folder cannot be read.
    bool Aggiorna();
    [[nodiscard]] const std::filesystem::path& Cartella() const { return cartella_; }
    // Opens the entry at `riga`, as a double click on it does.
    void ApriVoce(int riga);

  signals:
    void cartellaCambiata();
    // The user opened a folder that cannot be read; the list stayed where it was.
    void cartellaNonAccessibile();

  protected:
    void keyPressEvent(QKeyEvent* evento) override;

  private:
    void Mostra(std::vector<std::filesystem::path> percorsi, std::size_t catena, int riga);

    std::filesystem::path cartella_;
    std::vector<std::filesystem::path> percorsi_;  // the folder of each row
};

}  // namespace elencario
