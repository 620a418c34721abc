#pragma once

namespace elencario {

// Follows a print job as it runs: shows how far it is and tells whether to go on. A job calls
// Inizio once, Continua often (also while it waits for the printer), Pagina before each page it
// renders and Fine at its end, whatever the outcome.
class Avanzamento {
  public:
    virtual ~Avanzamento() = default;

    virtual void Inizio() {}
    // False stops the job: the user cancelled it, or the program was asked to end.
    [[nodiscard]] virtual bool Continua() = 0;
    virtual void Pagina(int pagina, int pagine) = 0;
    virtual void Fine() {}
};

}  // namespace elencario
