// An in-memory key/value store that follows the registry's rules closely enough
// for the key layer and everything above it to be tested natively:
// - key and value names are compared with ASCII letters folded, and subkeys
//   enumerate in the registry's order, by name with ASCII letters lower-cased
//   (so "a_" comes before "aB", and "account10" before "account2");
// - values keep their type and bytes as written (a string keeps its NUL);
// - a key with subkeys cannot be deleted, and a handle to a deleted key fails
//   with kKeyDeleted.
// Names outside ASCII are compared and ordered by their cp932 bytes, whereas the
// registry orders them by UTF-16 code; the program enumerates ASCII names only.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "settings/registry_backend.h"

namespace registry {

class MemoryRegistry : public Backend {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;

  long OpenKey(Handle parent, const char* name, Handle* key) override;
  long CreateKey(Handle parent, const char* name, Handle* key) override;
  long CloseKey(Handle key) override;
  long SetValue(Handle key, const char* name, std::uint32_t type, const void* data,
                std::uint32_t size) override;
  long FlushKey(Handle key) override;
  long QueryValue(Handle key, const char* name, std::uint32_t* type, void* data,
                  std::uint32_t* size) override;
  long EnumKey(Handle key, std::uint32_t index, char* name, std::uint32_t* nameSize) override;
  long QuerySubkeyCount(Handle key, std::uint32_t* count) override;
  long DeleteKey(Handle parent, const char* name) override;

  // Handles currently open; tests use it to find handles that were never closed.
  std::size_t OpenHandleCount() const;
  // Forgets every key, value and open handle, leaving only the Software key.
  void Reset();

 private:
  struct Node;
  struct NameOrder {
    bool operator()(const std::string& a, const std::string& b) const;
  };
  struct Value {
    std::uint32_t type = 0;
    std::vector<unsigned char> bytes;
  };
  struct Node {
    std::string name;
    Node* parent = nullptr;
    bool deleted = false;
    std::map<std::string, std::unique_ptr<Node>, NameOrder> children;
    std::map<std::string, Value, NameOrder> values;
  };

  long Resolve(Handle key, Node** node) const;
  long Walk(Handle parent, const char* name, bool create, Node** node);
  Handle NewHandle(Node* node);

  std::unique_ptr<Node> root_;
  std::vector<std::unique_ptr<Node>> orphans_;  // deleted keys that handles may still name
  std::map<Handle, Node*> handles_;
  Handle nextHandle_ = 0x1000;
};

}  // namespace registry
