"""Where the printed window is on a rendered page, and that it is whole:
its size on screen, the calculate button's face and the result line where
they are in the window. Shared by the Linux and the Windows print tests."""

WINDOW = (555, 379)  # the window in pixels at 96 dpi
ORANGE = (0xFF, 0xC0, 0x80)  # the calculate button's face
BLUE = (0x00, 0x00, 0xFF)  # readouts and result


def assert_whole_window(test, page, dpi):
    """Checks with `test`'s assertions that `page` (an Image rendered at
    `dpi`) holds the whole window; returns its box (left, top, right,
    bottom) in the page's pixels."""
    def page_pixels(pixels_at_96_dpi):
        return pixels_at_96_dpi * dpi / 96

    ink = [(x, y) for y in range(page.height) for x in range(page.width)
           if page.pixel(x, y) != (255, 255, 255)]
    left, top, right, bottom = page.bounding_box(ink)
    test.assertAlmostEqual(right - left + 1, page_pixels(WINDOW[0]), delta=4)
    test.assertAlmostEqual(bottom - top + 1, page_pixels(WINDOW[1]), delta=4)

    orange = page.points_near(ORANGE, 12)
    test.assertGreater(len(orange), 500)
    o_left, o_top, o_right, _ = page.bounding_box(orange)
    test.assertAlmostEqual(o_left - left, page_pixels(440), delta=4)
    test.assertAlmostEqual(o_top - top, page_pixels(248), delta=4)
    test.assertAlmostEqual(o_right - o_left + 1, page_pixels(89), delta=4)

    # Blue text in the result line's box.
    blue = [p for p in page.points_near(BLUE, 60)
            if page_pixels(264) <= p[1] - top <= page_pixels(305)]
    test.assertGreater(len(blue), 30)
    return left, top, right, bottom
