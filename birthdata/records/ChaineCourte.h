#pragma once
// A text field of fixed capacity N: a length byte and N bytes of Windows-1252 text.
// Text longer than the capacity is cut without a word, as the birth files expect.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "birthdata/records/Cp1252.h"

namespace selvane {

template <std::size_t N>
class ChaineCourte {
  static_assert(N >= 1 && N <= 255, "a length byte holds at most 255");

 public:
  static constexpr std::size_t Capacite = N;
  static constexpr std::size_t TailleFichier = N + 1;

  ChaineCourte() = default;
  // From Windows-1252 bytes.
  ChaineCourte(std::string_view octets) { Affecter(octets); }
  ChaineCourte(const char* octets) { Affecter(octets); }
  ChaineCourte(const std::string& octets) { Affecter(octets); }

  static ChaineCourte DepuisUtf8(std::string_view utf8) {
    return ChaineCourte(Utf8VersCp1252(utf8));
  }

  void Affecter(std::string_view octets) {
    longueur_ = static_cast<std::uint8_t>(octets.size() < N ? octets.size() : N);
    std::memcpy(octets_.data(), octets.data(), longueur_);
    std::memset(octets_.data() + longueur_, 0, N - longueur_);
  }

  std::string_view Texte() const { return {octets_.data(), longueur_}; }
  std::string Chaine() const { return std::string(Texte()); }
  std::string Utf8() const { return Cp1252VersUtf8(Texte()); }
  std::size_t Longueur() const { return longueur_; }
  bool Vide() const { return longueur_ == 0; }

  // File form: length byte then N bytes. A length byte above the capacity
  // reads as the capacity, so a damaged record never reads past its field.
  void Ecrire(unsigned char* destination) const {
    destination[0] = longueur_;
    std::memcpy(destination + 1, octets_.data(), N);
  }
  void Lire(const unsigned char* source) {
    const std::size_t l = source[0] <= N ? source[0] : N;
    Affecter(std::string_view(reinterpret_cast<const char*>(source + 1), l));
  }

  friend bool operator==(const ChaineCourte& a, const ChaineCourte& b) {
    return a.Texte() == b.Texte();
  }
  friend bool operator!=(const ChaineCourte& a, const ChaineCourte& b) { return !(a == b); }

 private:
  std::uint8_t longueur_ = 0;
  std::array<char, N> octets_{};
};

}  // namespace selvane
