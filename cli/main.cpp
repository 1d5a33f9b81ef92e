#include <filesystem>
#include <new>

#include "core/Avertissements.h"
#include "cli/Commandes.h"
#include "birthdata/records/ErreurFichier.h"

// A failure no command caught still ends as every other one: the French
// message on standard error and status 2, never std::terminate.
int main(int argc, char** argv) {
  try {
    return selvane::ExecuterCli(argc, argv);
  } catch (const selvane::ErreurFichier& e) {
    selvane::Avertir(e.what());
  } catch (const std::filesystem::filesystem_error& e) {
    selvane::Avertir(selvane::ErreurDuSysteme(e).what());
  } catch (const selvane::ErreurConversion& e) {
    selvane::Avertir(e.what());
  } catch (const std::bad_alloc&) {
    selvane::Avertir("Mémoire insuffisante pour terminer la commande.");
  }
  return 2;
}
