// Kernel services: last error, handles, files, clock, threads and
// synchronisation.
#pragma once

#include <platform/types.h>

// Error codes reported through GetLastError.
constexpr DWORD ERROR_SUCCESS = 0;
constexpr DWORD ERROR_FILE_NOT_FOUND = 2;
constexpr DWORD ERROR_PATH_NOT_FOUND = 3;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr DWORD ERROR_WRITE_FAULT = 29;
constexpr DWORD ERROR_SHARING_VIOLATION = 32;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_PROC_NOT_FOUND = 127;
constexpr DWORD ERROR_ALREADY_EXISTS = 183;
constexpr DWORD ERROR_INVALID_NAME = 123;
constexpr DWORD ERROR_INSUFFICIENT_BUFFER = 122;
constexpr DWORD ERROR_FILENAME_EXCED_RANGE = 206;
constexpr DWORD ERROR_MR_MID_NOT_FOUND = 317;
constexpr DWORD ERROR_NO_UNICODE_TRANSLATION = 1113;
constexpr DWORD ERROR_INVALID_WINDOW_HANDLE = 1400;
constexpr DWORD ERROR_INVALID_CURSOR_HANDLE = 1402;
constexpr DWORD ERROR_INVALID_HOOK_HANDLE = 1404;
constexpr DWORD ERROR_TLW_WITH_WSCHILD = 1406;
constexpr DWORD ERROR_CANNOT_FIND_WND_CLASS = 1407;
constexpr DWORD ERROR_CLASS_ALREADY_EXISTS = 1410;
constexpr DWORD ERROR_CLASS_DOES_NOT_EXIST = 1411;
constexpr DWORD ERROR_CLASS_HAS_WINDOWS = 1412;
constexpr DWORD ERROR_INVALID_INDEX = 1413;
constexpr DWORD ERROR_CLIPBOARD_NOT_OPEN = 1418;
constexpr DWORD ERROR_INVALID_THREAD_ID = 1444;
constexpr DWORD ERROR_RESOURCE_DATA_NOT_FOUND = 1812;
constexpr DWORD ERROR_RESOURCE_TYPE_NOT_FOUND = 1813;
constexpr DWORD ERROR_RESOURCE_NAME_NOT_FOUND = 1814;

DWORD GetLastError();
void SetLastError(DWORD code);

// The system's text for an error code. Only FORMAT_MESSAGE_FROM_SYSTEM with
// FORMAT_MESSAGE_IGNORE_INSERTS is served: the text, ending in "\r\n", goes
// to the buffer with its terminating zero and its length is returned. An
// unknown code fails with ERROR_MR_MID_NOT_FOUND, a short buffer with
// ERROR_INSUFFICIENT_BUFFER; both return 0.
constexpr DWORD FORMAT_MESSAGE_IGNORE_INSERTS = 0x00000200u;
constexpr DWORD FORMAT_MESSAGE_FROM_SYSTEM = 0x00001000u;
DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD message_id, DWORD language_id, LPSTR buffer,
                     DWORD size, void* arguments);

// number * numerator / denominator with a 64-bit product, rounded to the
// nearest integer (halves away from zero); -1 when the denominator is 0 or
// the result does not fit.
int MulDiv(int number, int numerator, int denominator);

// Generic handles. INVALID_HANDLE_VALUE is what CreateFileA returns on failure.
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));
BOOL CloseHandle(HANDLE object);

// Files.
struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;
struct OVERLAPPED;
using LPOVERLAPPED = OVERLAPPED*;

constexpr DWORD GENERIC_READ = 0x80000000u;
constexpr DWORD GENERIC_WRITE = 0x40000000u;
constexpr DWORD FILE_SHARE_READ = 0x00000001u;
constexpr DWORD FILE_SHARE_WRITE = 0x00000002u;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x00000001u;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x00000010u;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x00000020u;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x00000080u;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFFu;

// The name is a code page 1251 text; it reaches the file system as UTF-8.
// A share mode of 0 holds the file for this handle alone: another open of it
// that asks for exclusive or shared access fails with ERROR_SHARING_VIOLATION.
HANDLE CreateFileA(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES securityAttributes, DWORD creationDisposition,
                   DWORD flagsAndAttributes, HANDLE templateFile);

// A folder is FILE_ATTRIBUTE_DIRECTORY, anything else FILE_ATTRIBUTE_ARCHIVE,
// with FILE_ATTRIBUTE_READONLY when its owner may not write it.
// INVALID_FILE_ATTRIBUTES, with the last error set, when there is none.
DWORD GetFileAttributesA(LPCSTR fileName);

// Writes all bytes or fails; *written tells how many reached the file.
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD written,
               LPOVERLAPPED overlapped);

// Makes the file end where the next write would go: cuts off what lies
// beyond, or fills up to there with zeros. A device keeps its length.
BOOL SetEndOfFile(HANDLE file);

// Clock. The tick count is the host's clock in milliseconds and wraps round
// after 49.7 days; the headless host's clock is virtual.
DWORD GetTickCount();
void GetLocalTime(SYSTEMTIME* time);
void Sleep(DWORD milliseconds);

// Waits. Any thread may wait, set or reset; timed waits run on the host's
// clock.
constexpr DWORD INFINITE = 0xFFFFFFFFu;
constexpr DWORD WAIT_OBJECT_0 = 0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

// Threads and processes. A thread's handle is signalled when the thread
// ends; closing it leaves the thread running. Thread ids are never 0.
using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);
constexpr DWORD STILL_ACTIVE = 259;
constexpr DWORD STACK_SIZE_PARAM_IS_A_RESERVATION = 0x00010000u;
// The stack size is a hint that is not followed; flags other than 0 and
// STACK_SIZE_PARAM_IS_A_RESERVATION fail with ERROR_INVALID_PARAMETER.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES threadAttributes, SIZE_T stackSize,
                    LPTHREAD_START_ROUTINE startAddress, LPVOID parameter, DWORD creationFlags,
                    LPDWORD threadId);
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();

// How the process was started. Only the show command is ever given
// (STARTF_USESHOWWINDOW with wShowWindow); the other fields are 0.
struct STARTUPINFOA {
  DWORD cb;
  LPSTR lpReserved;
  LPSTR lpDesktop;
  LPSTR lpTitle;
  DWORD dwX;
  DWORD dwY;
  DWORD dwXSize;
  DWORD dwYSize;
  DWORD dwXCountChars;
  DWORD dwYCountChars;
  DWORD dwFillAttribute;
  DWORD dwFlags;
  WORD wShowWindow;
  WORD cbReserved2;
  BYTE* lpReserved2;
  HANDLE hStdInput;
  HANDLE hStdOutput;
  HANDLE hStdError;
};
constexpr DWORD STARTF_USESHOWWINDOW = 0x00000001;
void GetStartupInfoA(STARTUPINFOA* info);

// Events. The name is ignored: every event is unnamed. An auto-reset event
// lets one wait through and resets; a manual-reset one lets every wait through
// until it is reset.
HANDLE CreateEventA(LPSECURITY_ATTRIBUTES eventAttributes, BOOL manualReset, BOOL initialState,
                    LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

// Critical sections: locks that the owning thread may take again, released
// after as many leaves as enters. Opaque to their users, as the desktop API's
// are; InitializeCriticalSection allocates the lock that DeleteCriticalSection
// frees.
struct CRITICAL_SECTION {
  void* Lock;
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;
void InitializeCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);

// Global memory, for the clipboard's data. Every block stays where it is: a
// handle is the block's address, moveable or not, and GlobalLock returns it.
// The lock count is kept; GlobalFree of a handle that is no block fails with
// ERROR_INVALID_HANDLE and returns it.
constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;
HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes);
LPVOID GlobalLock(HGLOBAL memory);
BOOL GlobalUnlock(HGLOBAL memory);
SIZE_T GlobalSize(HGLOBAL memory);
HGLOBAL GlobalFree(HGLOBAL memory);
