"""When a program's window reaches the screen, taken from the X server's own
notifications (polling with a helper process would take CPU from the program
being measured):
  mapped -- the X server shows the window (its content may not be there yet);
  drawn  -- the last drawing into the window before it goes quiet: from then
            on the screen shows the window as the program painted it.
"""
import ctypes
import ctypes.util
import select
import time

_x = ctypes.CDLL(ctypes.util.find_library("X11"))
_damage = ctypes.CDLL(ctypes.util.find_library("Xdamage"))
_x.XOpenDisplay.restype = ctypes.c_void_p
_x.XOpenDisplay.argtypes = [ctypes.c_char_p]
_x.XDefaultRootWindow.restype = ctypes.c_ulong
_x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
_x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_x.XPending.argtypes = [ctypes.c_void_p]
_x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
_x.XConnectionNumber.argtypes = [ctypes.c_void_p]
_x.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
_x.XFree.argtypes = [ctypes.c_void_p]
_x.XCloseDisplay.argtypes = [ctypes.c_void_p]
_ErrorHandler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
_x.XSetErrorHandler.argtypes = [_ErrorHandler]
_damage.XDamageQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                          ctypes.POINTER(ctypes.c_int)]
_damage.XDamageCreate.restype = ctypes.c_ulong
_damage.XDamageCreate.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int]

# A window can vanish between its creation and our look at it; wine also
# makes input-only windows, which take no damage. Neither is an error here.
_ignore_errors = _ErrorHandler(lambda display, event: 0)
_x.XSetErrorHandler(_ignore_errors)

SUBSTRUCTURE_NOTIFY = 1 << 19
CREATE_NOTIFY, UNMAP_NOTIFY, MAP_NOTIFY = 16, 18, 19
DAMAGE_REPORT_RAW_RECTANGLES = 0


class _Event(ctypes.Union):
    # Every event used here names its window in the sixth long (CreateNotify,
    # MapNotify, UnmapNotify) or its drawable in the fifth (DamageNotify).
    _fields_ = [("type", ctypes.c_int), ("longs", ctypes.c_ulong * 24)]


class WindowWatch:
    """Listens from its creation on: create it before starting the program."""

    def __init__(self, display):
        self._display = _x.XOpenDisplay(display.encode())
        if not self._display:
            raise RuntimeError(f"cannot open display {display}")
        event_base, error_base = ctypes.c_int(), ctypes.c_int()
        if not _damage.XDamageQueryExtension(self._display, ctypes.byref(event_base), ctypes.byref(error_base)):
            raise RuntimeError("the X server has no DAMAGE extension")
        self._damage_notify = event_base.value
        _x.XSelectInput(self._display, _x.XDefaultRootWindow(self._display), SUBSTRUCTURE_NOTIFY)
        _x.XSync(self._display, 1)  # listening from here on; older events dropped
        self._window = None
        self._last_drawn = None
        self._unmapped = False

    def _name(self, window):
        text = ctypes.c_char_p()
        if not _x.XFetchName(self._display, window, ctypes.byref(text)):
            return None
        value = text.value.decode("latin-1") if text.value else None
        _x.XFree(text)
        return value

    def _events(self, deadline):
        """Each event until the deadline, as (type, window, time seen)."""
        event = _Event()
        fd = _x.XConnectionNumber(self._display)
        while True:
            while _x.XPending(self._display):
                _x.XNextEvent(self._display, ctypes.byref(event))
                seen = time.perf_counter()
                if event.type == self._damage_notify:
                    yield "damage", event.longs[4], seen
                elif event.type in (CREATE_NOTIFY, MAP_NOTIFY, UNMAP_NOTIFY):
                    yield event.type, event.longs[5], seen
            left = deadline - time.perf_counter()
            if left <= 0:
                return
            select.select([fd], [], [], left)

    def _handle(self, kind, window, seen, title=None):
        if kind == CREATE_NOTIFY:
            # Every new top-level window reports its drawing: its name is not
            # known yet, and its first drawing may come right after its map.
            _damage.XDamageCreate(self._display, window, DAMAGE_REPORT_RAW_RECTANGLES)
        elif kind == MAP_NOTIFY and self._window is None and self._name(window) == title:
            self._window = window
            return True
        elif kind == "damage" and window == self._window and not self._unmapped:
            self._last_drawn = seen
        elif kind == UNMAP_NOTIFY and window == self._window:
            self._unmapped = True
        return False

    def wait_mapped(self, title, timeout):
        """The perf_counter time at which the window titled `title` was mapped."""
        for kind, window, seen in self._events(time.perf_counter() + timeout):
            if self._handle(kind, window, seen, title):
                return seen
        raise TimeoutError(f"{title} never mapped")

    def drawn_until(self, deadline):
        """Follows the mapped window until the deadline (or until it is hidden):
        the time of its last drawing, None when it drew nothing."""
        for kind, window, seen in self._events(deadline):
            self._handle(kind, window, seen)
            if self._unmapped:
                break
        return self._last_drawn

    def close(self):
        _x.XCloseDisplay(self._display)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
