// The host's service table and the records exchanged with the host.
//
// The host owns the HostApi table; it is valid from Load to Unload. Field order follows the
// host's layout; pointer-sized fields are native pointer size (intptr_t). Texts that cross
// this boundary are UTF-16 (char16_t), service and event names are narrow ASCII.
#pragma once

#include <cstdint>

extern "C" {

// Callback of an event subscription or a published service; returns 0.
typedef int (*HostCallback)(intptr_t wparam, intptr_t lparam);

struct HostApi {
  void* reserved[3];  // not used by the plug-in
  int (*HookEvent)(const char* event, HostCallback callback);
  int (*UnhookEvent)(int subscription);
  int (*CreateService)(const char* service, HostCallback callback);
  int (*DestroyService)(int service);
  intptr_t (*CallService)(const char* service, intptr_t wparam, intptr_t lparam);
  int (*ServiceExists)(const char* service);
};

struct PluginInfo {
  intptr_t size;              // sizeof(PluginInfo)
  const char16_t* shortName;  // "plug528"
  intptr_t version;           // 0x01020000: major in the top byte, minor in the next
  const char16_t* description;
  const char16_t* author;
  const char16_t* email;
  const char16_t* rightsNotice;
  const char16_t* homepage;
  unsigned char uuid[16];
};

struct MenuItemInfo {
  intptr_t size;            // sizeof(MenuItemInfo)
  const char16_t* caption;  // menu path, levels separated by "/"
  intptr_t flags;           // 0
  const char* service;      // service the item invokes
};

// "Main/OpenAssayIdDlgEx": the host writes up to `capacity` assay ids into `ids`.
struct AssayIdRequest {
  int* ids;
  intptr_t capacity;  // 256
};

// "Profile/GetString": the host writes a zero-terminated text of at most capacity units.
struct ProfileTextBuffer {
  char16_t* buffer;
  intptr_t capacity;  // 128 characters including the terminator
};

}  // extern "C"
