"""Draws the start-up patch on its Dupin cyclide with matplotlib.

    PYTHONPATH=build/python /usr/bin/python3 docs/exemple_python.py docs/exemple-python.png
"""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import cyclide  # noqa: E402

depart = [0, 1.5707963267948966, -1.0471975511965976, 3.141592653589793, 4, 8, -7.982]
r = cyclide.convert(depart)
cy, piece = r["cyclide"], r["piece"]
print(r["kind"], cy["a"], cy["c"], cy["mu"])

# The patch, from its own net.
net = np.array([[*p["point"], p["weight"]] for p in r["net"]])
carreau = cyclide.sample(net, 30)

# The whole cyclide, as 4 x 4 exact pieces of a quarter turn each.
quarts = np.linspace(0, 2 * np.pi, 5)
axe = plt.figure(figsize=(7, 7)).add_subplot(projection="3d")
for t0, t1 in zip(quarts, quarts[1:]):
    for p0, p1 in zip(quarts, quarts[1:]):
        morceau = cyclide.piece_net(cy["a"], cy["c"], cy["mu"], (t0, t1), (p0, p1),
                                    cy["centre"], cy["frame"])
        s = cyclide.sample(morceau, 12)
        axe.plot_surface(s[..., 0], s[..., 1], s[..., 2], color="lightsteelblue", alpha=0.35,
                         linewidth=0)
axe.plot_surface(carreau[..., 0], carreau[..., 1], carreau[..., 2], color="crimson")
axe.set_title(f"{r['kind']} cyclide: a = {cy['a']:.3f}, c = {cy['c']:.3f}, mu = {cy['mu']:.3f}")
axe.set_box_aspect((1, 1, 1))
plt.savefig(sys.argv[1] if len(sys.argv) > 1 else "exemple-python.png", dpi=80)
