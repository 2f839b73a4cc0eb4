#include "pass_phrase.h"

#include <sodium.h>

#include <algorithm>
#include <array>
#include <optional>
#include <stdexcept>

namespace glamora::netio {

namespace {

constexpr std::int64_t kMinuteUs = 60'000'000;

static_assert(sizeof(net::Salt) == crypto_pwhash_SALTBYTES);
static_assert(sizeof(net::Proof) == crypto_auth_hmacsha256_BYTES);

using Key = std::array<std::uint8_t, crypto_auth_hmacsha256_KEYBYTES>;
static_assert(sizeof(lobby::RoomKey) == sizeof(Key));

class SodiumPassKey final : public net::PassKey {
 public:
  // `room`: the room's key the phrase's key is bound to (none outside a room).
  SodiumPassKey(std::string phrase, std::optional<lobby::RoomKey> room) : phrase_(std::move(phrase)), room_(room) {}
  ~SodiumPassKey() override {
    sodium_memzero(phrase_.data(), phrase_.size());
    sodium_memzero(key_.data(), key_.size());
    if (room_) sodium_memzero(room_->data(), room_->size());
  }
  net::Salt salt() const override { return salt_; }
  void derive(const net::Salt& salt) override {
    salt_ = salt;
    if (!phrase_.empty()) derivePhrase();
    if (!room_) return;
    if (phrase_.empty()) {
      std::copy(room_->begin(), room_->end(), key_.begin());
      return;
    }
    Key bound;
    crypto_auth_hmacsha256(bound.data(), key_.data(), key_.size(), room_->data());
    key_ = bound;
    sodium_memzero(bound.data(), bound.size());
  }
  net::Nonce nonce() const override {
    net::Nonce n;
    randombytes_buf(n.data(), n.size());
    return n;
  }
  net::Proof proof(std::string_view label, const net::Nonce& joiner, const net::Nonce& host) const override {
    crypto_auth_hmacsha256_state state;
    crypto_auth_hmacsha256_init(&state, key_.data(), key_.size());
    crypto_auth_hmacsha256_update(&state, reinterpret_cast<const unsigned char*>(label.data()), label.size());
    crypto_auth_hmacsha256_update(&state, joiner.data(), joiner.size());
    crypto_auth_hmacsha256_update(&state, host.data(), host.size());
    net::Proof out;
    crypto_auth_hmacsha256_final(&state, out.data());
    return out;
  }
  bool proves(const net::Proof& claimed, std::string_view label, const net::Nonce& joiner,
              const net::Nonce& host) const override {
    const net::Proof expected = proof(label, joiner, host);
    return sodium_memcmp(claimed.data(), expected.data(), expected.size()) == 0;
  }

 private:
  // Argon2id at libsodium's interactive cost (2 passes over 64 MiB).
  void derivePhrase() {
    if (crypto_pwhash(key_.data(), key_.size(), phrase_.data(), phrase_.size(), salt_.data(),
                      crypto_pwhash_OPSLIMIT_INTERACTIVE, crypto_pwhash_MEMLIMIT_INTERACTIVE,
                      crypto_pwhash_ALG_ARGON2ID13) != 0) {
      randombytes_buf(key_.data(), key_.size());  // out of memory: a key that proves nothing
    }
  }

  std::string phrase_;
  std::optional<lobby::RoomKey> room_;
  net::Salt salt_{};
  Key key_{};
};

// A host's key is derived at once with a fresh random salt.
std::unique_ptr<net::PassKey> madeKey(std::string phrase, std::optional<lobby::RoomKey> room, bool host) {
  if (sodium_init() < 0) throw std::runtime_error("cannot start libsodium");
  auto key = std::make_unique<SodiumPassKey>(std::move(phrase), room);
  if (host) {
    net::Salt salt;
    randombytes_buf(salt.data(), salt.size());
    key->derive(salt);
  }
  return key;
}

}  // namespace

std::unique_ptr<net::PassKey> passKey(const std::string& phrase, bool host) {
  return madeKey(phrase, std::nullopt, host);
}

std::unique_ptr<net::PassKey> roomPassKey(const lobby::RoomKey& room, const std::string& phrase, bool host) {
  return madeKey(phrase, room, host);
}

bool WrongProofs::allows(const std::string& address, std::int64_t nowUs) const {
  const auto it = recent_.find(address);
  return it == recent_.end() || it->second.size() < kPerMinute || nowUs - it->second.front() >= kMinuteUs;
}

void WrongProofs::note(const std::string& address, std::int64_t nowUs) {
  std::erase_if(recent_, [&](const auto& entry) { return nowUs - entry.second.back() >= kMinuteUs; });
  std::deque<std::int64_t>& times = recent_[address];
  times.push_back(nowUs);
  if (times.size() > kPerMinute) times.pop_front();
}

}  // namespace glamora::netio
