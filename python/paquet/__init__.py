"""The module cyclide as the wheel installs it: the extension inside this
package, its functions, documentation and version here."""
from .cyclide import *  # noqa: F401,F403
from .cyclide import __doc__, __version__  # noqa: F401
