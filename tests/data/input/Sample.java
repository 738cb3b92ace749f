package org.example.shapes;

import java.util.List;

/**
 * Areas of simple shapes.
 */
public final class Sample {
    private static final double HALF = 0.5;

    public static double triangle(double base, double height) {
        return HALF * base * height; // base times height, halved
    }

    public static void main(String[] args) {
        List<String> names = List.of("triangle", "square");
        for (String name : names) {
            System.out.println("Shape: " + name + '\n');
        }
    }
}
