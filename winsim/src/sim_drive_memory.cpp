// Drive C: as a tree in memory, for runs that lay out and remove a whole drive thousands of times
// a second (the fuzzer): every node by its full drive path, the root's being "". It answers as a
// host folder does for a user who is not root: a read-only file cannot be opened for writing, a
// directory opens for reading but cannot be read, and an open file keeps its bytes after unlink.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>

#include "sim_drive.h"

namespace winsim::detail {
namespace {

constexpr unsigned long long MemoryVolume = 0x4D454D;

struct Node {
  bool directory = false;
  bool readOnly = false;
  std::shared_ptr<std::string> bytes;  // a file's; shared with the handles open on it
  unsigned long long index = 0;
};

struct OpenNode {
  std::shared_ptr<std::string> bytes;  // null for a directory
  size_t position = 0;
  bool canRead = false;
  bool canWrite = false;
};

std::string ParentOf(const std::string &path) {
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? "" : path.substr(0, slash);
}

class MemoryDrive : public Drive {
 public:
  MemoryDrive() { nodes_[""].directory = true; }

  bool Stat(const std::string &path, DriveEntry *entry) override {
    const Node *node = Find(path);
    if (node == nullptr) return false;
    entry->directory = node->directory;
    entry->readOnly = node->readOnly;
    entry->size = node->directory ? 0 : node->bytes->size();
    entry->volume = MemoryVolume;
    entry->index = node->index;
    entry->links = 1;
    return true;
  }

  bool HasEntry(const std::string &path) override { return Find(path) != nullptr; }

  bool List(const std::string &dir, std::vector<std::string> *names) override {
    const Node *node = Find(dir);
    if (node == nullptr || !node->directory) return false;
    std::string prefix = dir + "/";
    for (auto it = nodes_.lower_bound(prefix);
         it != nodes_.end() && it->first.compare(0, prefix.size(), prefix) == 0; ++it) {
      if (it->first.find('/', prefix.size()) == std::string::npos) {
        names->push_back(it->first.substr(prefix.size()));
      }
    }
    return true;
  }

  bool MakeDirectory(const std::string &path) override {
    if (Find(path) != nullptr || !IsDirectory(ParentOf(path))) return false;
    Node &node = nodes_[path];
    node.directory = true;
    node.index = nextIndex_++;
    return true;
  }

  bool RemoveDirectory(const std::string &path) override {
    const Node *node = Find(path);
    if (node == nullptr || !node->directory || path.empty()) return false;
    std::string prefix = path + "/";
    auto next = nodes_.lower_bound(prefix);
    if (next != nodes_.end() && next->first.compare(0, prefix.size(), prefix) == 0) return false;
    nodes_.erase(path);
    return true;
  }

  bool Unlink(const std::string &path) override {
    const Node *node = Find(path);
    if (node == nullptr || node->directory) return false;
    nodes_.erase(path);
    return true;
  }

  bool SetReadOnly(const std::string &path, bool readOnly) override {
    auto found = nodes_.find(path);
    if (found == nodes_.end()) return false;
    found->second.readOnly = readOnly;
    return true;
  }

  bool Copy(const std::string &source, const std::string &destination) override {
    const Node *from = Find(source);
    if (from == nullptr || from->directory) return false;
    std::string bytes = *from->bytes;
    int handle = Open(destination, DriveAccess::Write, DriveCreation::Replace);
    if (handle < 0) return false;
    long put = Write(handle, bytes.data(), bytes.size());
    Close(handle);
    return put == static_cast<long>(bytes.size());
  }

  int Open(const std::string &path, DriveAccess access, DriveCreation creation) override {
    Node *node = Find(path);
    if (node != nullptr && creation == DriveCreation::New) return -1;
    if (node == nullptr) {
      if (creation == DriveCreation::Existing || !IsDirectory(ParentOf(path))) return -1;
      node = &nodes_[path];
      node->bytes = std::make_shared<std::string>();
      node->index = nextIndex_++;
    } else if (node->directory) {
      if (access != DriveAccess::Read || creation != DriveCreation::Existing) return -1;
    } else if (node->readOnly && access != DriveAccess::Read) {
      return -1;
    } else if (creation == DriveCreation::Replace) {
      node->bytes->clear();
    }
    OpenNode &open = open_[nextHandle_];
    open.bytes = node->bytes;
    open.canRead = access != DriveAccess::Write;
    open.canWrite = access != DriveAccess::Read;
    return nextHandle_++;
  }

  long Read(int handle, void *buffer, size_t bytes) override {
    OpenNode *open = FindOpen(handle);
    if (open == nullptr || !open->canRead || open->bytes == nullptr) return -1;
    const std::string &data = *open->bytes;
    size_t count = open->position < data.size() ? std::min(bytes, data.size() - open->position) : 0;
    if (count > 0) std::memcpy(buffer, data.data() + open->position, count);
    open->position += count;
    return static_cast<long>(count);
  }

  long Write(int handle, const void *buffer, size_t bytes) override {
    OpenNode *open = FindOpen(handle);
    if (open == nullptr || !open->canWrite) return -1;
    std::string &data = *open->bytes;
    if (data.size() < open->position + bytes) data.resize(open->position + bytes, '\0');
    if (bytes > 0) std::memcpy(&data[open->position], buffer, bytes);
    open->position += bytes;
    return static_cast<long>(bytes);
  }

  long long Seek(int handle, long long offset, int origin) override {
    OpenNode *open = FindOpen(handle);
    if (open == nullptr) return -1;
    long long size = open->bytes == nullptr ? 0 : static_cast<long long>(open->bytes->size());
    long long base = origin == SEEK_CUR   ? static_cast<long long>(open->position)
                     : origin == SEEK_END ? size
                                          : 0;
    if (base + offset < 0) return -1;
    open->position = static_cast<size_t>(base + offset);
    return base + offset;
  }

  bool Truncate(int handle) override {
    OpenNode *open = FindOpen(handle);
    if (open == nullptr || !open->canWrite) return false;
    open->bytes->resize(open->position, '\0');
    return true;
  }

  bool Close(int handle) override { return open_.erase(handle) == 1; }

  // One copy of the bytes rather than a read loop. A directory cannot be read.
  bool ReadAll(const std::string &path, std::string *bytes) override {
    const Node *node = Find(path);
    if (node == nullptr || node->directory) return false;
    bytes->append(*node->bytes);
    return true;
  }

 private:
  Node *Find(const std::string &path) {
    auto found = nodes_.find(path);
    return found == nodes_.end() ? nullptr : &found->second;
  }

  bool IsDirectory(const std::string &path) {
    const Node *node = Find(path);
    return node != nullptr && node->directory;
  }

  OpenNode *FindOpen(int handle) {
    auto found = open_.find(handle);
    return found == open_.end() ? nullptr : &found->second;
  }

  std::map<std::string, Node> nodes_;
  std::map<int, OpenNode> open_;
  int nextHandle_ = 3;
  unsigned long long nextIndex_ = 1;
};

}  // namespace

std::unique_ptr<Drive> MakeMemoryDrive() {
  return std::make_unique<MemoryDrive>();
}

}  // namespace winsim::detail
