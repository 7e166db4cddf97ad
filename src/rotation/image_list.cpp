#include "app/kalo2.h"

namespace app {
void Kalo2::add_Click() {}
void Kalo2::del_Click() {}
bool Kalo2::SaveImageList() { return false; }
void Kalo2::LoadImageList() {}
void Kalo2::CheckEmptyListMarker() {}
std::string Kalo2::listFilePath() const { return {}; }
} // namespace app
