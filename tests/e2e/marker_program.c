/* A stand-in product program for the end-to-end scenarios: started by the
   setup, it writes launched.txt into its working folder and ends. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  (void)instance; (void)previous; (void)show;
  HANDLE file = CreateFileA("launched.txt", GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, commandLine, (DWORD)lstrlenA(commandLine), &written, NULL);
  CloseHandle(file);
  return 0;
}
