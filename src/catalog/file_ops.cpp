// The file routines shared by the loader and the installation run: measure, copy, delete.
// Each opens and closes its files within the one call and shows nothing; callers report.
#include "catalog/file_ops.h"

#include <windows.h>

namespace {

constexpr int LargestChunk = 16384;  // the largest copy buffer asked for
constexpr int FixedChunk = 512;      // the buffer that needs no allocation

// The copy buffer: the largest block up to 16,384 bytes that memory grants, halving the request
// after each refusal, or the caller's fixed buffer once the request is 512 bytes or less. The
// block, if any, is returned locked in *block; *chunk is the number of bytes to move at a time.
char *ChooseBuffer(int size, char *fixedBuffer, HGLOBAL *block, int *chunk) {
  int request = size < LargestChunk ? size : LargestChunk;
  while (request > FixedChunk) {
    HGLOBAL granted = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, request);
    if (granted != NULL) {
      char *address = static_cast<char *>(GlobalLock(granted));
      if (address != NULL) {
        // The block may be larger than asked for, and is then used whole.
        int grantedSize = static_cast<int>(GlobalSize(granted));
        *block = granted;
        *chunk = grantedSize > request ? grantedSize : request;
        return address;
      }
      GlobalFree(granted);
    }
    request /= 2;
  }
  *block = NULL;
  *chunk = FixedChunk;
  return fixedBuffer;
}

// Moves exactly size bytes in chunks; 1 when every read and write moved the full count.
int CopyBytes(HFILE source, HFILE destination, char *buffer, int chunk, int size) {
  int remaining = size;
  while (remaining > 0) {
    int count = remaining < chunk ? remaining : chunk;
    if (_lread(source, buffer, count) != static_cast<UINT>(count)) return 0;
    if (_lwrite(destination, buffer, count) != static_cast<UINT>(count)) return 0;
    remaining -= count;
  }
  return 1;
}

}  // namespace

int GetFileLength(const char *path) {
  HFILE file = _lopen(path, OF_READ);
  if (file == HFILE_ERROR) return -1;
  // A failed seek gives HFILE_ERROR, which is -1 as well. A file of 2 GiB or more comes out
  // negative: it cannot be measured in 32 bits, and counts as a file that cannot be opened.
  LONG size = _llseek(file, 0, FILE_END);
  _lclose(file);
  return size < 0 ? -1 : size;
}

int CopyFontFile(const char *source, const char *destination) {
  int size = GetFileLength(source);
  if (size == -1) return 0;

  char fixedBuffer[FixedChunk];
  HGLOBAL block;
  int chunk;
  char *buffer = ChooseBuffer(size, fixedBuffer, &block, &chunk);

  // The destination is created (or emptied) only once the source is open: a source that cannot
  // be read at this moment must not cost the older file of that name its contents.
  HFILE input = _lopen(source, OF_READ);
  HFILE output = input != HFILE_ERROR ? _lcreat(destination, 0) : HFILE_ERROR;
  int copied = 0;
  if (input != HFILE_ERROR && output != HFILE_ERROR)
    copied = CopyBytes(input, output, buffer, chunk, size);

  if (block != NULL) {
    // Unlock down to a lock count of 0; GlobalUnlock says FALSE once the block is unlocked.
    while ((GlobalFlags(block) & GMEM_LOCKCOUNT) != 0)
      if (!GlobalUnlock(block)) break;
    GlobalFree(block);
  }
  if (input != HFILE_ERROR) _lclose(input);
  int closed = 1;
  if (output != HFILE_ERROR) closed = _lclose(output) != HFILE_ERROR;
  return copied && closed;
}

int DeleteFontFile(const char *path) {
  OFSTRUCT status = {};
  return OpenFile(path, &status, OF_DELETE) != HFILE_ERROR;
}
