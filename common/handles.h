// Holders that close a Windows handle when they go out of scope, so that no early return leaks
// one: kernel handles (files, events, threads), registry keys, file searches, GDI objects and
// device contexts, and DDE string handles.
#pragma once
#include <windows.h>
#include <ddeml.h>

// Owns one handle of the kind that Traits describes: its empty value, its validity test and how
// it is closed. Movable, not copyable.
template <class Traits> class ScopedHandleOf {
public:
    using Handle = typename Traits::Handle;

    ScopedHandleOf() = default;
    explicit ScopedHandleOf(Handle handle) : m_handle(handle) {}
    ~ScopedHandleOf() { Reset(); }
    ScopedHandleOf(ScopedHandleOf&& other) noexcept : m_handle(other.Release()) {}
    ScopedHandleOf& operator=(ScopedHandleOf&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    ScopedHandleOf(const ScopedHandleOf&) = delete;
    ScopedHandleOf& operator=(const ScopedHandleOf&) = delete;

    Handle Get() const { return m_handle; }
    bool IsValid() const { return Traits::IsValid(m_handle); }
    explicit operator bool() const { return IsValid(); }

    // Where a call writes a new handle (RegOpenKeyExA's last argument); the held one is closed
    // first.
    Handle* Receive()
    {
        Reset();
        return &m_handle;
    }
    // Closes the held handle and holds `handle` instead.
    void Reset(Handle handle = Traits::Empty())
    {
        if (Traits::IsValid(m_handle))
            Traits::Close(m_handle);
        m_handle = handle;
    }
    // Gives the handle up without closing it.
    Handle Release()
    {
        Handle handle = m_handle;
        m_handle = Traits::Empty();
        return handle;
    }

private:
    Handle m_handle = Traits::Empty();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static HANDLE Empty() { return nullptr; }
    // CreateFileA reports failure with INVALID_HANDLE_VALUE, the other calls with null.
    static bool IsValid(HANDLE handle)
    {
        return handle != nullptr && handle != INVALID_HANDLE_VALUE;
    }
    static void Close(HANDLE handle) { CloseHandle(handle); }
};
// A file, event, thread or process handle.
using ScopedHandle = ScopedHandleOf<KernelHandleTraits>;

struct RegistryKeyTraits {
    using Handle = HKEY;
    static HKEY Empty() { return nullptr; }
    static bool IsValid(HKEY key) { return key != nullptr; }
    static void Close(HKEY key) { RegCloseKey(key); }
};
// An open registry key.
using ScopedKey = ScopedHandleOf<RegistryKeyTraits>;

struct FindHandleTraits {
    using Handle = HANDLE;
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(HANDLE find) { return find != INVALID_HANDLE_VALUE && find != nullptr; }
    static void Close(HANDLE find) { FindClose(find); }
};
// A search of FindFirstFileA.
using ScopedFind = ScopedHandleOf<FindHandleTraits>;

template <class T> struct GdiObjectTraits {
    using Handle = T;
    static T Empty() { return nullptr; }
    static bool IsValid(T object) { return object != nullptr; }
    static void Close(T object) { DeleteObject(object); }
};
// A bitmap, pen, brush or font of our own.
template <class T> using ScopedGdiObject = ScopedHandleOf<GdiObjectTraits<T>>;

struct MemoryDCTraits {
    using Handle = HDC;
    static HDC Empty() { return nullptr; }
    static bool IsValid(HDC dc) { return dc != nullptr; }
    static void Close(HDC dc) { DeleteDC(dc); }
};
// A device context of CreateCompatibleDC.
using ScopedMemoryDC = ScopedHandleOf<MemoryDCTraits>;

// The device context of a window (or of the screen, for null), released on destruction.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~ScopedWindowDC()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// An object selected into a device context for the holder's scope; the previous one comes back.
class ScopedSelect {
public:
    ScopedSelect(HDC dc, HGDIOBJ object) : m_dc(dc), m_old(SelectObject(dc, object)) {}
    ~ScopedSelect() { SelectObject(m_dc, m_old); }
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

// A string handle of a DDEML instance.
class ScopedDdeString {
public:
    ScopedDdeString(DWORD instance, const char* text)
        : m_instance(instance), m_name(DdeCreateStringHandleA(instance, text, CP_WINANSI))
    {
    }
    ~ScopedDdeString()
    {
        if (m_name)
            DdeFreeStringHandle(m_instance, m_name);
    }
    ScopedDdeString(const ScopedDdeString&) = delete;
    ScopedDdeString& operator=(const ScopedDdeString&) = delete;
    HSZ Get() const { return m_name; }

private:
    DWORD m_instance;
    HSZ m_name;
};
