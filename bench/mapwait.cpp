/* Start-up timer: exec of a program to its first top-level window mapped.
 * Listens for MapNotify on the root window before it starts the program, so
 * nothing polls the X server while the program starts (a polling loop of
 * `xdotool search` would compete with the program for the CPU and add its own
 * detection delay).
 * Usage: mapwait PROGRAM [ARGS...]   prints milliseconds; the program is killed
 * once its window is up. Exit 1 when no window came within 10 s. */
#include <poll.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <xcb/xcb.h>

static double nowMs(void) {
  struct timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: mapwait PROGRAM [ARGS...]\n");
    return 2;
  }
  xcb_connection_t* c = xcb_connect(NULL, NULL);
  if (xcb_connection_has_error(c)) {
    fprintf(stderr, "mapwait: cannot open the display\n");
    return 2;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_void_cookie_t ck = xcb_change_window_attributes_checked(c, screen->root, XCB_CW_EVENT_MASK, &mask);
  xcb_generic_error_t* err = xcb_request_check(c, ck);
  if (err) {
    fprintf(stderr, "mapwait: cannot watch the root window\n");
    return 2;
  }

  const double t0 = nowMs();
  pid_t pid = fork();
  if (pid == 0) {
    close(xcb_get_file_descriptor(c));
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  double mapped = -1;
  struct pollfd pfd = {xcb_get_file_descriptor(c), POLLIN, 0};
  while (mapped < 0 && nowMs() - t0 < 10000) {
    xcb_generic_event_t* ev;
    while ((ev = xcb_poll_for_event(c)) != NULL) {
      if ((ev->response_type & 0x7f) == XCB_MAP_NOTIFY) {
        const xcb_map_notify_event_t* m = (const xcb_map_notify_event_t*)ev;
        if (!m->override_redirect && m->event == screen->root && mapped < 0) mapped = nowMs();
      }
      free(ev);
    }
    if (mapped < 0) poll(&pfd, 1, 100);
  }
  kill(pid, SIGTERM);
  waitpid(pid, NULL, 0);
  xcb_disconnect(c);
  if (mapped < 0) {
    fprintf(stderr, "mapwait: no window within 10 s\n");
    return 1;
  }
  printf("%.1f\n", mapped - t0);
  return 0;
}
