#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <memory>

#include "printing/Avanzamento.h"

class QDialog;
class QLabel;
class QProgressBar;

namespace elencario {

// The window's progress: once a job has lasted half a second, a modal "Stampa in corso…" window
// with "Pagina N di M" and "Annulla". While the job runs the events are delivered between its
// steps, so the main window keeps repainting; keys and clicks meant for any other window are
// dropped, so nothing typed during a job can start another one.
class FinestraAvanzamento final : public QObject, public Avanzamento {
  public:
    FinestraAvanzamento();
    ~FinestraAvanzamento() override;

    void Inizio() override;
    [[nodiscard]] bool Continua() override;
    void Pagina(int pagina, int pagine) override;
    void Fine() override;

  protected:
    bool eventFilter(QObject* destinatario, QEvent* evento) override;

  private:
    void Mostra();
    void Aggiorna();

    std::unique_ptr<QDialog> dialogo_;
    QLabel* etichetta_ = nullptr;
    QProgressBar* barra_ = nullptr;
    QElapsedTimer durata_;
    QElapsedTimer ultimiEventi_;
    int pagina_ = 0;
    int pagine_ = 0;
    bool annullato_ = false;
    bool filtro_ = false;
};

}  // namespace elencario
