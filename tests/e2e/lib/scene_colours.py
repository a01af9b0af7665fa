"""Tells whether a screenshot shows the scene: the nebula sky and the Earth-wrapped meteor.

    scene_colours.py PNG LEFT TOP WIDTH HEIGHT [--sky]

The area is where the scene is drawn. The sky is taken as present when enough of the area shows
the nebula's pink and violet clouds, which no other picture of the scene has; the meteor when the
box at the bottom middle of the area, where the first meteor is seen in the first seconds, shows
the Earth's dark blue oceans and its land or clouds. Prints the shares found; exits 1 when
either is missing. That meteor is the first display's (the primary monitor's, the first head's):
on another display the first meteor is another, and --sky looks for the sky alone.
"""
import subprocess
import sys

SKY_MIN = 0.5      # percent of the area in nebula colours
OCEAN_MIN = 15.0   # percent of the meteor box in ocean blue
LAND_MIN = 5.0     # percent of the meteor box in land green or cloud white
METEOR_BOX = (0.1563, 0.1667)  # half its width and its height, as shares of the area's


def load(png):
    data = subprocess.run(["convert", png, "-depth", "8", "ppm:-"], capture_output=True,
                          check=True).stdout
    magic, size, _maximum, pixels = data.split(b"\n", 3)
    width, height = map(int, size.split())
    return width, height, pixels


def shares(picture, left, top, right, bottom):
    width, height, pixels = picture
    counts = {"nebula": 0, "ocean": 0, "land": 0}
    total = 0
    for y in range(max(top, 0), min(bottom, height)):
        row = pixels[y * width * 3:(y + 1) * width * 3]
        for x in range(max(left, 0), min(right, width)):
            r, g, b = row[3 * x], row[3 * x + 1], row[3 * x + 2]
            total += 1
            if r >= 90 and b >= 90 and g <= 0.7 * min(r, b):
                counts["nebula"] += 1
            if b >= 50 and b >= 1.8 * r and b >= 1.4 * g:
                counts["ocean"] += 1
            if (g > b and g >= 60) or r + g + b >= 540:
                counts["land"] += 1
    return {name: 100.0 * count / max(total, 1) for name, count in counts.items()}


def main():
    png = sys.argv[1]
    left, top, width, height = map(int, sys.argv[2:6])
    picture = load(png)
    sky = shares(picture, left, top, left + width, top + height)
    half_width = int(width * METEOR_BOX[0])
    box_height = int(height * METEOR_BOX[1])
    middle = left + width // 2
    meteor = shares(picture, middle - half_width, top + height - box_height, middle + half_width,
                    top + height)
    print("sky: nebula %.1f%%; meteor box: ocean %.1f%%, land or clouds %.1f%%" %
          (sky["nebula"], meteor["ocean"], meteor["land"]))
    sky_seen = sky["nebula"] >= SKY_MIN
    meteor_seen = "--sky" in sys.argv[6:] or (meteor["ocean"] >= OCEAN_MIN and
                                             meteor["land"] >= LAND_MIN)
    return 0 if sky_seen and meteor_seen else 1


if __name__ == "__main__":
    sys.exit(main())
